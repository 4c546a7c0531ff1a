// Files written whole or not at all. Every file the game writes (the save
// files, the clear record, the number file) goes through here, so a full
// disk or a crash mid-write never leaves a cut or emptied file behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace q {

// Makes `bytes` the whole content of the file `path`: they go into a
// temporary file beside it, which is flushed to the disk and then renamed
// over the old file, and the folder is flushed after. True only when the new
// file is in place and on the disk. On failure the old file is as it was and the temporary
// file is gone; a temporary file left by an interrupted write is removed by
// the next write.
[[nodiscard]] bool WriteWholeFile(const std::string& path, std::string_view bytes);

// The temporary file WriteWholeFile writes beside `path`.
std::string TemporaryFileOf(const std::string& path);

// The whole content of a file; an empty text when there is no such file,
// nothing when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace q
