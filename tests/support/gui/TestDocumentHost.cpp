#include "support/gui/TestDocumentHost.h"

#include "support/gui/GuiTestSupport.h"

TestDocumentHost::TestDocumentHost()
    : registry(directory.filePath(QStringLiteral("settings.ini")))
{
}

bool TestDocumentHost::writeRecord(ExchClass &, int member, int index)
{
    written.append({member, index});
    return true;
}

void TestDocumentHost::setViewTones(int value)
{
    registry.SaveSetting(SettingsKeys::Settings, SettingsKeys::ViewTones, Registry::TypeNumber, value);
}

QStringList TestDocumentHost::messageTexts() const
{
    return ::messageTexts(messageService);
}
