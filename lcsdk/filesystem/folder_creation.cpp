#include "lcsdk/filesystem/folder_creation.h"

#include <vector>

namespace lcsdk::filesystem {

// Walks up with an explicit stack instead of recursion so that deep paths cannot exhaust the stack.
// Each pushed parent is shorter than its child, so the walk always ends.
bool create_folders(const file_path& path)
{
    if (path.empty())
        return false;
    std::vector<file_path> pending{path};
    while (!pending.empty()) {
        switch (make_folder(pending.back())) {
        case folder_result::created:
        case folder_result::exists:
            pending.pop_back();
            break;
        case folder_result::parent_missing: {
            file_path parent = parent_of(pending.back());
            if (parent.empty())
                return false;
            pending.push_back(std::move(parent));
            break;
        }
        case folder_result::failed:
            return false;
        }
    }
    return true;
}

} // namespace lcsdk::filesystem
