#import "installer/mac/installer_app_delegate.h"

#include "installer/install_log.h"
#include "installer/installer_ui.h"
#include "installer/messages.h"
#include "installer/product.h"
#include "installer/run_installer_ui.h"
#include "lcsdk/ui/message_popup.h"

#include <string>

namespace {

NSMenuItem* add_item(NSMenu* menu, NSString* title, SEL action, NSString* key, id target)
{
    NSMenuItem* item = [[[NSMenuItem alloc] initWithTitle:title action:action keyEquivalent:key] autorelease];
    [item setTarget:target];
    [menu addItem:item];
    return item;
}

// The application menu, the only one: About, Hide (Command-H) and Quit (Command-Q).
NSMenu* main_menu(id target)
{
    NSString* name = [[NSProcessInfo processInfo] processName];
    NSMenu* application = [[[NSMenu alloc] initWithTitle:name] autorelease];
    add_item(application, [@"About " stringByAppendingString:name], @selector(showAbout:), @"", target);
    [application addItem:[NSMenuItem separatorItem]];
    add_item(application, [@"Hide " stringByAppendingString:name], @selector(hideInstaller:), @"h", target);
    [application addItem:[NSMenuItem separatorItem]];
    add_item(application, [@"Quit " stringByAppendingString:name], @selector(quitInstaller:), @"q", target);

    NSMenu* bar = [[[NSMenu alloc] initWithTitle:name] autorelease];
    [bar setSubmenu:application forItem:add_item(bar, name, NULL, @"", nil)];
    return bar;
}

installer::install_log* wizard_log = nullptr;

// Work deferred to the run loop also runs in the wizard's modal loop.
NSArray* modal_run_loop_modes()
{
    return [NSArray arrayWithObjects:NSDefaultRunLoopMode, NSModalPanelRunLoopMode, nil];
}

} // namespace

void installer::mac::set_wizard_log(install_log* log)
{
    wizard_log = log;
}

void installer::mac::tell_cocoa_about_threads()
{
    [NSThread detachNewThreadSelector:@selector(endAtOnce:) toTarget:[InstallerAppDelegate class] withObject:nil];
}

@implementation InstallerAppDelegate

// The installation runs on a std::thread that uses Foundation (the bundle's resources, the
// application support folder). Cocoa protects itself for threads only once it knows there are
// several, which it learns from the first NSThread; this one ends at once.
+ (void)endAtOnce:(id)unused
{
    (void)unused;
}

- (void)applicationWillFinishLaunching:(NSNotification*)notification
{
    (void)notification;
    installer::mac::tell_cocoa_about_threads();
}

- (void)installMainMenu
{
    [NSApp setMainMenu:main_menu(self)];
}

- (void)applicationDidFinishLaunching:(NSNotification*)notification
{
    (void)notification;
    // The main menu follows the wizard's first frame, made from the wizard's modal loop: GNUstep
    // shows it as a window of its own, with images looked up by name, which costs about as much as
    // building and painting the whole wizard.
    [self performSelector:@selector(installMainMenu) withObject:nil afterDelay:0 inModes:modal_run_loop_modes()];
    // Builds the wizard, runs it modally until Finish, a confirmed Cancel or Quit, or its close
    // button, and destroys it (waiting for a run that still goes on).
    InstallerAppDelegate* delegate = self;
    installer::run_installer_ui(wizard_log,
                                [delegate](installer::InstallerUI* running) { delegate->wizard = running; });
    wizardEnded = YES;
    if (wizard_log != nullptr)
        wizard_log->end(0);
    // The wizard's window is released, not closed, so nothing else would end the application.
    [NSApp terminate:self];
}

// The sender is typed `id`, as GNUstep declares it; AppKit's NSApplication* converts to it.
- (BOOL)applicationShouldTerminateAfterLastWindowClosed:(id)sender
{
    (void)sender;
    return YES;
}

// Quit from the menu, the Dock or a logout ends the program only through the wizard, as its Cancel
// button does: it asks first, and a run that is going on ends before the program does, so the
// program never stops between moving the installed bundle aside and moving the new one in. Until
// the wizard is gone the answer is no; the wizard's own end terminates the application again.
- (NSApplicationTerminateReply)applicationShouldTerminate:(NSApplication*)sender
{
    (void)sender;
    if (wizardEnded)
        return NSTerminateNow;
    // Asked from the run loop, so that this call returns first.
    [self performSelector:@selector(askWizardToClose) withObject:nil afterDelay:0 inModes:modal_run_loop_modes()];
    return NSTerminateCancel;
}

- (void)askWizardToClose
{
    if (wizard != nullptr)
        wizard->request_close();
}

// The menu's items act while the wizard runs its modal loop.
- (BOOL)worksWhenModal
{
    return YES;
}

- (void)showAbout:(id)sender
{
    (void)sender;
    if (wizard == nullptr || wizard->open_popups > 0)
        return;
    const std::string text = std::string(installer::window_title) + "\nVersion " + std::string(installer::product_version);
    wizard->ask(std::string("About ") + installer::window_title, text, lcsdk::ui::MessagePopup::buttons_ok);
}

- (void)hideInstaller:(id)sender
{
    [NSApp hide:sender];
}

- (void)quitInstaller:(id)sender
{
    [NSApp terminate:sender];
}

@end

@implementation InstallerApplication

- (void)finishLaunching
{
    // The application keeps its delegate for the whole process; it is never released.
    if ([self delegate] == nil)
        [self setDelegate:[[InstallerAppDelegate alloc] init]];
    [super finishLaunching];
}

@end
