#include "installer/host_versions.h"

namespace installer {

const per_version<std::string> host_version_names = {
    "CS3", "CS4", "CS5", "CS55", "CS6", "CC", "CC2014", "CC2015", "CC2015.3", "CC2017", "Custom",
};

folder_list empty_folder_list()
{
    return folder_list(host_version_count);
}

} // namespace installer
