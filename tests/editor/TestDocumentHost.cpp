#include "TestDocumentHost.h"

#include "FieldFunctions.h"

namespace {
constexpr int CodePosition = 0;
constexpr int PortIdPosition = 6;
constexpr int PortIdLength = 2;
} // namespace

TestDocumentHost::TestDocumentHost()
    : registry(directory.filePath(QStringLiteral("settings.ini")))
    , receiver([this](const QByteArray &content) {
        sent.append({quint8(content.at(CodePosition)), int(PInt(content, PortIdPosition, PortIdLength))});
    })
{
}

void TestDocumentHost::PackSend(const QByteArray &frame)
{
    receiver.ProcessInput(frame);
}

void TestDocumentHost::setViewTones(int value)
{
    registry.SaveSetting(SettingsKeys::Settings, SettingsKeys::ViewTones, Registry::TypeNumber, value);
}

QStringList TestDocumentHost::messageTexts() const
{
    QStringList texts;
    for (const MessageService::Message &message : messageService.shownMessages())
        texts.append(message.text);
    return texts;
}
