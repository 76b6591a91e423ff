#pragma once

#include <QString>

#include <vector>

class QTextStream;

// Writes one JSON document as it is made, laid out as QJsonDocument's
// indented form lays it out (four spaces a level, `"key": value`), so a
// listing of any size needs no tree of values in memory. The caller gives
// an object's keys in the order QJsonObject keeps them: sorted.
class JsonStream
{
public:
    explicit JsonStream(QTextStream &out);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The next value belongs to this key of the open object.
    void key(const QString &name);

    void number(qint64 value);
    void boolean(bool value);
    void null();
    void string(const QString &text);

private:
    struct Level
    {
        bool object;
        bool empty = true;
    };

    void beginValue();
    void open(bool object);
    void close();
    void indent();
    void writeString(const QString &text);

    QTextStream &m_out;
    std::vector<Level> m_levels;
    bool m_keyWritten = false;
};
