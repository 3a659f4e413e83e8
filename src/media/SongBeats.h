#pragma once
// The beats of a song: when each beat falls, which beats are strong (the
// first beat of each bar, or, where the bar cannot be told, the beats with
// the strongest onsets), the tempo, and whether the song has a clear beat at
// all (speech, rubato piano or a held tone do not).
//
// Measured once when a song is added (see BeatTracker) and kept as text in
// the song's row of the music table, so album files keep it too:
//   "v1;<tempo bpm>;<confidence>;<clear 0|1>;<ms>[*],<ms>[*],…"
// where a "*" marks a strong beat. Times are milliseconds from the song's
// start.
#include <QString>
#include <vector>

namespace lumora {

struct SongBeats {
    std::vector<long long> beatsMs; // ascending
    std::vector<bool> strong; // one per beat
    double tempoBpm = 0;
    double confidence = 0; // the tracker's own confidence in the tempo
    bool clear = false; // a beat clear enough to cut pictures to

    bool analysed() const { return m_analysed; }
    void setAnalysed(bool a) { m_analysed = a; }

    QString toText() const;
    // Reads the stored text; an empty or unreadable text gives a value that
    // is not analysed (an album file written before beats were measured).
    static SongBeats fromText(const QString &text);

private:
    bool m_analysed = false;
};

} // namespace lumora
