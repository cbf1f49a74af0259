#pragma once

// Where the tests find their files, and a scratch file that removes itself.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace media::testing {

// ../shared/fixtures/tags beside the repository (TARVO_SHARED_DIR from CMake).
inline std::filesystem::path fixtureTagsDir() {
    return std::filesystem::path(TARVO_SHARED_DIR) / "fixtures" / "tags";
}

// The output folder of make-audio.sh, run by the media_audio_fixtures CTest fixture.
inline std::filesystem::path generatedAudioDir() {
    return TARVO_MEDIA_AUDIO_DIR;
}

class ScratchFile {
  public:
    ScratchFile(const std::string& name, const std::vector<std::uint8_t>& contents)
        : path_(std::filesystem::temp_directory_path() / ("tarvo-media-" + name)) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(contents.data()),
                  static_cast<std::streamsize>(contents.size()));
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

} // namespace media::testing
