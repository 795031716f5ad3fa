#pragma once

namespace platform {
class MediaPlayer;
}

namespace vidora {

struct VidoraContext;

// The player's access to the sound: whether there is an audio output, and the
// volume of the media player's own output, 0 (silent) to 65535 (full).

// Sets sound mode and the sound-card flag to whether an audio output exists;
// True, or False with the step code 22006 when the check fails.
bool puInitVolSon(VidoraContext& context);

// Reads the output volume into iolVolume; False, with the error kept and the
// step code 22007, when there is no player.
bool GetVolumeSon(VidoraContext& context, platform::MediaPlayer* player, long& iolVolume);

// Sets the output volume: the value is taken as one channel's 16-bit volume
// word, so -1 is 65535; a value that fits no 16-bit word (below -98304 or
// above 98303) is an overflow. False, with the error kept and the step code
// 22013, on an overflow, without a player, or when the player did not take the
// volume. The caller's value is not changed.
bool SetVolumeSon(VidoraContext& context, platform::MediaPlayer* player, long ilVolSon);

}  // namespace vidora
