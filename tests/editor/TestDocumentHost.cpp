#include "TestDocumentHost.h"

#include "ExchClass.h"
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

bool TestDocumentHost::writeRecord(ExchClass &config, int member, int index)
{
    const RecordClass &structure = config.member(member);
    const QByteArray data = structure.SendData(index);
    sender.SendPacket(structure.SendCode(), int(data.size()), data, false);
    return true;
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
