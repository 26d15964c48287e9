// Which texts may be handed to the system's opener as a web address.
#pragma once

namespace platform {

// True for an http or https address of at most 2048 characters with no
// spaces or control characters; anything else could make the opener run a
// local file or a command.
bool isWebAddress(const char* url);

}  // namespace platform
