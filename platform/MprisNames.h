#pragma once

// The player's names on the session bus, shared by the service and the hand-over.
namespace platform::mpris {

inline constexpr char kServiceName[] = "org.mpris.MediaPlayer2.tarvo";
inline constexpr char kObjectPath[] = "/org/mpris/MediaPlayer2";
inline constexpr char kRootInterface[] = "org.mpris.MediaPlayer2";
inline constexpr char kPlayerInterface[] = "org.mpris.MediaPlayer2.Player";
// Our own interface on the same object: hands files over to the running player.
inline constexpr char kInstanceInterface[] = "org.tarvo.Instance";
inline constexpr char kIdentity[] = "Tarvo";
inline constexpr char kDesktopEntry[] = "tarvo";

} // namespace platform::mpris
