#pragma once
// How an album's length is set, shared by preview and production.

namespace lumora {

// Template: the templates set the length, the music repeats. Music: the music
// sets the length, the templates repeat. Beat: as music, with every change of
// template on a beat of the music (playback/BeatFit.h).
enum class SyncMode { Template, Music, Beat };

// The mode movie closes every template-synced album: its share of the album's
// frames (at kFramesPerSecond, app/ClockText.h).
constexpr long long kEndingFrames = 150;

// The frame the album's own pictures end at, of an album of `totalFrames`:
// where the mode movie begins (template sync), or the album's end (music and
// beat sync, which close on the last template).
constexpr long long picturesEndFrame(SyncMode sync, long long totalFrames)
{
    return sync == SyncMode::Template ? (totalFrames > kEndingFrames ? totalFrames - kEndingFrames : 0) : totalFrames;
}

} // namespace lumora
