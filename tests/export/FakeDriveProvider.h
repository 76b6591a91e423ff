#pragma once

#include "export/CardTransferPrompts.h"
#include "export/DriveProvider.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// Volumes that are folders of a temporary directory; records what the card
// step asks of them and fails unmounting as often as told.
class FakeDriveProvider : public DriveProvider
{
public:
    // A mounted volume at folder name, with its label (nothing: unreadable).
    DriveVolume addVolume(const QString &name, DriveVolume::Kind kind, const std::optional<QString> &label)
    {
        QDir(m_root.path()).mkpath(name);
        const DriveVolume volume{m_root.filePath(name), QStringLiteral("/dev/fake-") + name, kind};
        m_volumes.append(volume);
        m_labels.insert(volume.mountPoint, label);
        return volume;
    }

    QList<DriveVolume> volumes() override { return m_volumes; }
    std::optional<QString> volumeLabel(const DriveVolume &volume) override { return m_labels.value(volume.mountPoint); }
    bool openVolume(const DriveVolume &volume) override
    {
        calls.append(QStringLiteral("open ") + volume.mountPoint);
        return canOpen;
    }
    bool unmount(const DriveVolume &volume) override
    {
        calls.append(QStringLiteral("unmount ") + volume.mountPoint);
        return unmountFailures-- <= 0;
    }
    bool eject(const DriveVolume &volume) override
    {
        calls.append(QStringLiteral("eject ") + volume.mountPoint);
        return canEject;
    }
    void pause(int milliseconds) override { pauses.append(milliseconds); }

    QString root() const { return m_root.path(); }

    bool canOpen = true;
    bool canEject = true;
    int unmountFailures = 0;
    QStringList calls;
    QList<int> pauses;

private:
    QTemporaryDir m_root;
    QList<DriveVolume> m_volumes;
    QHash<QString, std::optional<QString>> m_labels;
};

// Answers the card step's question in advance and keeps its messages.
class RecordingPrompts : public CardTransferPrompts
{
public:
    struct Shown
    {
        Severity severity;
        QString title;
        QString text;
    };

    void showMessage(Severity severity, const QString &title, const QString &text) override
    {
        shown.append({severity, title, text});
    }
    bool askYesNo(const QString &title, const QString &text) override
    {
        questions.append(title + QLatin1Char('|') + text);
        return answer;
    }

    bool answer = true;
    QStringList questions;
    QList<Shown> shown;
};
