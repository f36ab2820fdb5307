#include "installer/discovery.h"
#include "installer/neutral/discovery_neutral.h"

#include <stdexcept>

namespace installer {

namespace {

struct host_fixture {
    folder_list folders = empty_folder_list();
    std::deque<neutral::folder_dialog_answer> answers;
    std::vector<neutral::folder_dialog_call> calls;
};

host_fixture& host()
{
    static host_fixture state;
    return state;
}

} // namespace

folder_list find_plugin_folders()
{
    return host().folders;
}

// With no answer queued the dialog counts as cancelled, like a user closing it.
lcsdk::filesystem::file_path select_folder(const std::string& title, lcsdk::ui::window* owner,
                                           const lcsdk::filesystem::file_path& initial_folder)
{
    host().calls.push_back({title, owner, initial_folder});
    if (host().answers.empty())
        return {};
    neutral::folder_dialog_answer answer = std::move(host().answers.front());
    host().answers.pop_front();
    if (!answer.failure.empty())
        throw std::runtime_error(answer.failure);
    return answer.folder;
}

namespace neutral {

void set_discovered_folders(folder_list folders)
{
    folders.resize(host_version_count);
    host().folders = std::move(folders);
}

void queue_folder_dialog_answer(folder_dialog_answer answer)
{
    host().answers.push_back(std::move(answer));
}

const std::vector<folder_dialog_call>& folder_dialog_calls()
{
    return host().calls;
}

void reset()
{
    host() = host_fixture{};
}

} // namespace neutral

} // namespace installer
