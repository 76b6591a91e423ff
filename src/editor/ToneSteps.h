#pragma once

#include <QList>
#include <QString>

class RecordClass;
class TrackedRecord;

// A tone record as a sequence of up to sixteen steps. Step k is element k of
// Tone (the frequency code), Time (the length in 250 ms units) and Level
// (audible or silent); a step of length 255 is the End step that closes the
// sequence.
class ToneSteps
{
public:
    static constexpr int MaxSteps = 16;
    static constexpr int EndTime = 255;
    static constexpr int AudibleLevel = 13;
    static constexpr int SilentLevel = 31;
    static constexpr int MinLength = 1;
    static constexpr int MaxLength = 120;
    // The item value of "End" in a frequency list.
    static constexpr int EndValue = -1;

    struct Frequency
    {
        QString text;
        int value;
    };
    // The frequency list of a step, "End" last.
    static const QList<Frequency> &frequencies();
    // The list index of "End".
    static int EndIndex();

    enum class Level { Audible, Silent, Undetermined };

    struct Length
    {
        enum Verdict { Accepted, NotANumber, TooLong };
        Verdict verdict;
        int value;             // the whole number to store, when accepted
        bool adjusted = false; // the number to store is not the number typed
    };
    // A length as typed: any decimal number up to MaxLength, below MinLength taken as MinLength.
    static Length checkLength(const QString &text);

    explicit ToneSteps(TrackedRecord &record);

    // How many steps the record has: sixteen, or fewer when its layout holds
    // fewer; none for a record the structure does not have.
    static int stepCount(const RecordClass &tones, int index);
    int stepCount() const;
    int tone(int step) const;
    int time(int step) const;
    Level level(int step) const;
    bool isEnd(int step) const { return time(step) == EndTime; }

    // Each write returns whether the record changed.
    bool setEnd(int step);
    // The step after this one becomes the End step; this one plays silently for one unit.
    bool moveEndBelow(int step);
    bool setTone(int step, int value);
    bool setLength(int step, int length);
    bool setAudible(int step, bool audible);

private:
    TrackedRecord &m_record;
};
