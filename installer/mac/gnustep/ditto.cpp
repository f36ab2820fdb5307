// The copy tool of the GNUstep build, for Linux, which has no ditto:
//   ditto <source> <destination>
// Copies a file, or a folder's whole tree into the destination folder (made when missing), keeping
// the modes of files and folders and copying symbolic links as links. Any failure ends it with
// exit code 1 and a message; what was copied until then stays.
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ditto <source> <destination>\n");
        return 1;
    }
    namespace fs = std::filesystem;
    // Copies carry their source's permissions; a special file (device, pipe, socket) is an error.
    constexpr auto options =
        fs::copy_options::recursive | fs::copy_options::copy_symlinks | fs::copy_options::overwrite_existing;
    std::error_code failure;
    fs::copy(argv[1], argv[2], options, failure);
    if (failure) {
        std::fprintf(stderr, "ditto: cannot copy %s to %s: %s\n", argv[1], argv[2], failure.message().c_str());
        return 1;
    }
    return 0;
}
