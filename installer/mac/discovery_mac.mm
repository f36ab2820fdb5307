// Discovery on macOS: Launch Services names the applications that open the host's documents, their
// bundles and the host's preference file name the plug-in folders. The folder dialog is the
// system's open panel.
#include "installer/discovery.h"
#include "installer/folder_dialog_errors.h"
#include "installer/mac/host_bundles.h"
#include "lcsdk/ui/cocoa/allow_deprecated.h"
#include "lcsdk/ui/cocoa/autorelease_pool.h"

#import <AppKit/AppKit.h>
#include <CoreServices/CoreServices.h>

#include <stdexcept>

namespace installer {

namespace {

using lcsdk::filesystem::file_path;

constexpr const char* preference_file = "/Library/Preferences/com.Adobe.After Effects.paths.plist";

} // namespace

folder_list find_plugin_folders()
{
    const lcsdk::ui::cocoa::autorelease_pool pool;
    // A document of the host's type, shipped for asking which applications open it.
    NSString* document = [[NSBundle mainBundle] pathForResource:@"AEFile" ofType:@"aep"];
    if (document == nil)
        return empty_folder_list();
    // Deprecated since macOS 12.0; its successor on NSWorkspace does not exist on the older systems
    // the program runs on.
    LCSDK_ALLOW_DEPRECATED_BEGIN
    CFArrayRef found = LSCopyApplicationURLsForURL((CFURLRef)[NSURL fileURLWithPath:document], kLSRolesAll);
    LCSDK_ALLOW_DEPRECATED_END
    if (found == nullptr)
        return empty_folder_list();
    NSArray* urls = (NSArray*)found;
    std::vector<file_path> applications;
    for (NSUInteger i = 0; i < [urls count]; ++i) {
        NSString* path = [[urls objectAtIndex:i] path];
        if (path != nil)
            applications.push_back(file_path::from_utf8([path UTF8String]));
    }
    CFRelease(found);
    return mac::plugin_folders_from(applications, file_path(preference_file));
}

// A sheet would need a completion block, which this compiler does not have; the panel runs
// application-modal instead, over the wizard's window.
file_path select_folder(const std::string& title, lcsdk::ui::window* /*owner*/, const file_path& initial_folder)
{
    const lcsdk::ui::cocoa::autorelease_pool pool;
    NSOpenPanel* panel = [NSOpenPanel openPanel];
    if (panel == nil)
        throw std::runtime_error(folder_dialog_errors::create);
    [panel setCanChooseDirectories:YES];
    [panel setCanChooseFiles:NO];
    [panel setAllowsMultipleSelection:NO];
    // Open panels show no title since macOS 10.11, only the message; GNUstep shows the title.
    NSString* heading = [NSString stringWithUTF8String:title.c_str()];
    [panel setTitle:heading];
    [panel setMessage:heading];
    if (!initial_folder.empty())
        [panel setDirectoryURL:[NSURL fileURLWithPath:[NSString stringWithUTF8String:initial_folder.c_str()]
                                          isDirectory:YES]];
    if ([panel runModal] != NSModalResponseOK)
        return {};
    NSArray* chosen = [panel URLs];
    if ([chosen count] == 0)
        throw std::runtime_error(folder_dialog_errors::selection);
    NSURL* url = [chosen objectAtIndex:0];
    if (![url isFileURL] || [url path] == nil)
        throw std::runtime_error(folder_dialog_errors::result);
    // The path as the system gives it: a backslash is an ordinary character in macOS file names.
    return file_path::from_utf8([[url path] UTF8String]);
}

} // namespace installer
