#pragma once

#include <QObject>
#include <QString>

// The trace sink every layer writes to. The debug window shows it; until that
// window exists the text collects here, bounded so a long session on a noisy
// line cannot grow memory without limit.
class DebugLog : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype DefaultLimit = 1024 * 1024;

    explicit DebugLog(QObject *parent = nullptr);

    // The program-wide instance; components take a pointer so tests can hand
    // them a private one.
    static DebugLog &shared();

    void Add(const QString &text);
    void AddNL(const QString &text);
    // Diagnostics are not shown in the log; they only reach listeners.
    void Error(const QString &source, const QString &message);

    // While set, structure and packet listings are written.
    bool debugDisplay() const { return m_debugDisplay; }
    void setDebugDisplay(bool on) { m_debugDisplay = on; }

    QString text() const { return m_text; }
    void clear();

    void setLimit(qsizetype characters);

signals:
    void textAdded(const QString &text);
    // The whole text was replaced (cleared or trimmed): re-read text().
    void textReset();
    void errorReported(const QString &source, const QString &message);

private:
    void append(const QString &text);

    QString m_text;
    qsizetype m_limit = DefaultLimit;
    bool m_debugDisplay = false;
};
