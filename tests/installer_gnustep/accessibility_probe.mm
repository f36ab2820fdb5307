// The wizard as assistive technology sees and works it, on GNUstep, which has no screen reader: the
// real wizard runs in this process and is read and worked only through the NSAccessibility methods
// of its windows' views and elements, as AppKit asks them for a reader on a Mac, page by page and
// in the Exit question. What the layer posts is recorded here in place of AppKit's
// NSAccessibilityPostNotification.
//   accessibility_probe [GNUstep defaults...]
// Run by test_installer_mac.py (accessibility_tree), which provides hosts enough for a summary that
// scrolls and answers the Authenticate prompt. Prints one line per failed check; exit code 0 when
// every check passed.
#include "cocoa_application.h"

#include "installer/installer_ui.h"
#include "installer/messages.h"
#include "installer/run_installer_ui.h"

#import <AppKit/AppKit.h>
#ifdef GNUSTEP
#include "gnustep_standins.h" // what AppKit declares on a Mac and GNUstep lacks
#endif

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using lines = std::vector<std::string>;

std::vector<std::string> failures;

void check(bool passed, const std::string& what)
{
    if (!passed)
        failures.push_back(what);
}

struct posted {
    id element;
    NSString* name;
};
std::vector<posted> notifications;

bool was_posted(id element, NSString* name)
{
    for (const posted& p : notifications)
        if (p.element == element && [p.name isEqualToString:name])
            return true;
    return false;
}

// The objects of an array, for a range-based for (GCC's Objective-C++ has no fast enumeration).
template <typename T>
std::vector<T> objects(NSArray* array)
{
    std::vector<T> out;
    for (NSUInteger i = 0; i < [array count]; ++i)
        out.push_back([array objectAtIndex:i]);
    return out;
}

std::string text_of(NSString* text) { return text != nil ? [text UTF8String] : ""; }

// What a reader says an element is called: its label, or a text's value.
std::string name_of(id element)
{
    NSString* label = [element accessibilityLabel];
    id value = [element accessibilityValue];
    return text_of(label != nil ? label : [value isKindOfClass:[NSString class]] ? value : nil);
}

std::string role_of(id element)
{
    NSString* role = [element accessibilityRole];
    if ([role isEqualToString:NSAccessibilityButtonRole])
        return "button";
    if ([role isEqualToString:NSAccessibilityCheckBoxRole])
        return "check box";
    if ([role isEqualToString:NSAccessibilityStaticTextRole])
        return "text";
    if ([role isEqualToString:NSAccessibilityScrollAreaRole])
        return "scroll area";
    if ([role isEqualToString:NSAccessibilityScrollBarRole])
        return "scroll bar";
    return "other " + text_of(role);
}

// One line per element, indented by depth: its role, its label (a text's value), then the states
// that are not the usual ones. Every element shown lies in the window's client area.
void dump(NSView* view, id element, int depth, lines& out)
{
    id value = [element accessibilityValue];
    std::string line = std::string(static_cast<std::size_t>(depth) * 2, ' ') + role_of(element) + " \"" +
                       name_of(element) + "\"";
    if (![element isAccessibilityEnabled])
        line += " disabled";
    if ([element isAccessibilityFocused])
        line += " focused";
    if ([value isKindOfClass:[NSNumber class]])
        line += " value " + text_of([value stringValue]);
    if ([element accessibilityHelp] != nil)
        line += " help \"" + text_of([element accessibilityHelp]) + "\"";
    out.push_back(line);

    NSWindow* window = [view window];
    const NSRect client = [window contentRectForFrameRect:[window frame]];
    const NSRect frame = [element accessibilityFrame];
    // What a scrolling pane holds may reach beyond it.
    check(NSWidth(frame) > 0 && NSHeight(frame) > 0 &&
              (depth == 0 ? NSContainsRect(client, frame) : NSIntersectsRect(client, frame)),
          line + ": its frame is not inside the window");
    check([element accessibilityWindow] == window, line + ": names another window");
    for (id child : objects<id>([element accessibilityChildren])) {
        check([child accessibilityParent] == element, line + ": a child names another parent");
        dump(view, child, depth + 1, out);
    }
}

lines tree(NSView* view)
{
    lines out;
    for (id element : objects<id>([view accessibilityChildren])) {
        check([element accessibilityParent] == view, "an element right below the window names another parent");
        dump(view, element, 0, out);
    }
    return out;
}

std::string joined(const lines& all)
{
    std::string out;
    for (const std::string& line : all)
        out += "\n    " + line;
    return out;
}

void check_tree(NSView* view, const lines& expected, const std::string& what)
{
    const lines seen = tree(view);
    check(seen == expected, what + ": the tree read" + joined(seen) + "\n  instead of" + joined(expected));
}

// The first element, depth first, called `name`.
id named(id container, const std::string& name)
{
    for (id element : objects<id>([container accessibilityChildren])) {
        if (name_of(element) == name)
            return element;
        if (id found = named(element, name))
            return found;
    }
    return nil;
}

id with_role(id container, NSString* role)
{
    for (id element : objects<id>([container accessibilityChildren])) {
        if ([[element accessibilityRole] isEqualToString:role])
            return element;
        if (id found = with_role(element, role))
            return found;
    }
    return nil;
}

// The content view of the visible window with this title, or nil.
NSView* view_of(const std::string& title)
{
    for (NSWindow* window : objects<NSWindow*>([NSApp windows]))
        if ([window isVisible] && text_of([window title]) == title)
            return [window contentView];
    return nil;
}

double number(id value) { return [value isKindOfClass:[NSNumber class]] ? [value doubleValue] : -1.0; }

// The rows of the wizard: the title, a page's rows (given), the button bar.
lines wizard_rows(const lines& page, const std::string& back, const std::string& next, const std::string& third)
{
    lines out{std::string("text \"") + installer::window_title + "\""};
    out.insert(out.end(), page.begin(), page.end());
    out.insert(out.end(), {"button \"< Back\"" + back, "button \"Next >\"" + next, "button " + third});
    return out;
}

// The versions that test_installer_mac.py provides, all checked.
const lines version_rows{"text \"" + installer::version_heading_text() + "\"", "check box \"CS5\" value 1",
                         "check box \"CS55\" value 1",  "check box \"CS6\" value 1",
                         "check box \"CC\" value 1",    "check box \"CC2014\" value 1",
                         "check box \"CC2017\" value 1"};

// What the client does next, retried from a timer until it says it is done.
struct step {
    std::string waits_for;
    std::function<bool()> done;
};

// A client of the wizard's windows, page by page, until "Finish".
struct client {
    installer::InstallerUI* wizard = nullptr; // for the texts it makes up as it runs
    NSView* view = nil;
    id next = nil;
    id kept_answer = nil;

    std::vector<step> steps();
};

std::vector<step> client::steps()
{
    return {
        {"the wizard", [this] { return (view = view_of(installer::window_title)) != nil; }},
        {"the introduction",
         [this] {
             check_tree(view, wizard_rows({"text \"" + installer::intro_text() + "\""}, " disabled", "", "\"Cancel\""),
                        "the introduction");
             check([[view accessibilityChildren] isEqualToArray:[view accessibilityChildren]],
                   "the elements were made again when asked again");
             next = named(view, "Next >");
             // The button's rectangle in the client area, in Cocoa's screen coordinates.
             NSWindow* window = [view window];
             const NSRect client_area = [window contentRectForFrameRect:[window frame]];
             const NSRect expected = NSMakeRect(NSMinX(client_area) + 290, NSMaxY(client_area) - 320 - 30, 85, 30);
             check(NSEqualRects([next accessibilityFrame], expected), "\"Next >\" is not where it is drawn");
             check([view accessibilityHitTest:NSMakePoint(NSMidX(expected), NSMidY(expected))] == next,
                   "the hit test in \"Next >\" found another element");
             check(![named(view, "< Back") accessibilityPerformPress], "a disabled \"< Back\" was pressed");
             check(![named(view, installer::intro_text()) isAccessibilitySelectorAllowed:@selector(accessibilityPerformPress)],
                   "a text offers a press");
             check([named(view, "Cancel") accessibilityPerformPress], "\"Cancel\" could not be pressed");
             return true;
         }},
        {"the Exit question",
         [this] {
             NSView* question = view_of("Exit Installer");
             if (!question)
                 return false;
             check_tree(question,
                        {"text \"" + installer::exit_question_text() + "\"", "button \"OK\" focused", "button \"Cancel\""},
                        "the question");
             check(![next accessibilityPerformPress], "the wizard took a press while its question was open");
             kept_answer = [named(question, "Cancel") retain];
             check([kept_answer accessibilityPerformPress], "the question's \"Cancel\" could not be pressed");
             return true;
         }},
        {"the question to close",
         [this] {
             if (view_of("Exit Installer"))
                 return false;
             // Assistive technology may hold an element after its window has gone.
             check([kept_answer accessibilityRole] == nil && ![kept_answer accessibilityPerformPress],
                   "an element of the closed question still answers");
             [kept_answer release];
             check([next accessibilityPerformPress], "\"Next >\" could not be pressed");
             return true;
         }},
        {"the versions page",
         [this] {
             id custom = named(view, "Custom");
             if (!custom)
                 return false;
             lines page = version_rows;
             page.push_back("check box \"Custom\" value 0");
             check_tree(view, wizard_rows(page, "", "", "\"Cancel\""), "the versions page");
             check([custom accessibilityPerformPress], "\"Custom\" could not be pressed");
             return true;
         }},
        {"Custom to be checked, and that posted",
         [this] {
             id custom = named(view, "Custom");
             if (number([custom accessibilityValue]) != 1.0 || !was_posted(custom, NSAccessibilityValueChangedNotification))
                 return false;
             [custom setAccessibilityFocused:YES];
             return true;
         }},
        {"Custom to take the focus, and that posted",
         [this] {
             id custom = named(view, "Custom");
             if (!was_posted(custom, NSAccessibilityFocusedUIElementChangedNotification))
                 return false;
             check([view accessibilityFocusedUIElement] == custom, "the view names another focused element");
             lines page = version_rows;
             page.push_back("check box \"Custom\" focused value 1");
             page.push_back(std::string("button \"Plugin Path\" help \"") + installer::plugin_path_help + "\"");
             check_tree(view, wizard_rows(page, "", "", "\"Cancel\""), "the versions page with Custom");
             check([custom accessibilityPerformPress], "\"Custom\" could not be pressed again");
             return true;
         }},
        {"Custom to be unchecked",
         [this] {
             if (number([named(view, "Custom") accessibilityValue]) != 0.0)
                 return false;
             check(named(view, "Plugin Path") == nil, "\"Plugin Path\" stayed without Custom");
             check([next accessibilityPerformPress], "\"Next >\" could not be pressed on the versions page");
             return true;
         }},
        {"the summary",
         [this] {
             id pane = with_role(view, NSAccessibilityScrollAreaRole);
             if (!pane)
                 return false;
             check_tree(view,
                        wizard_rows({"text \"" + installer::summary_intro_text() + "\"", "scroll area \"\"",
                                     "  scroll bar \"\" value 0", "    button \"Scroll up\"", "    button \"Scroll down\"",
                                     "  text \"" + wizard->summary_label.text + "\""},
                                    "", " focused", "\"Cancel\""),
                        "the summary");
             id bar = [pane accessibilityVerticalScrollBar];
             check(bar != nil && [bar accessibilityOrientation] == NSAccessibilityOrientationVertical,
                   "the summary has no vertical scroll bar");
             [bar setAccessibilityValue:[NSNumber numberWithDouble:1.0]];
             check(number([bar accessibilityValue]) == 1.0, "the scroll bar's value did not scroll the summary to its end");
             check([named(bar, "Scroll up") accessibilityPerformPress], "\"Scroll up\" could not be pressed");
             return true;
         }},
        {"the summary to scroll back",
         [this] {
             const double at = number([with_role(view, NSAccessibilityScrollBarRole) accessibilityValue]);
             if (!(at >= 0.0 && at < 1.0))
                 return false;
             check([next accessibilityPerformPress], "\"Next >\" could not be pressed on the summary");
             return true;
         }},
        {"the finished run",
         [this] {
             id finish = named(view, "Finish");
             if (!finish)
                 return false;
             check_tree(view,
                        wizard_rows({"text \"" + installer::success_heading_text() + "\"",
                                     "text \"" + wizard->progress_text_label.text + "\""},
                                    " disabled", " disabled", "\"Finish\" focused"),
                        "the finished run");
             check([finish accessibilityPerformPress], "\"Finish\" could not be pressed");
             return true;
         }},
    };
}

void report()
{
    for (const std::string& failure : failures)
        std::printf("FAILED: %s\n", failure.c_str());
    std::printf("%s\n", failures.empty() ? "all checks passed" : "some checks failed");
    std::fflush(stdout);
}

// The steps, each retried until it is done, for at most a minute.
struct script {
    std::vector<step> steps;
    std::size_t at = 0;
    std::chrono::steady_clock::time_point since = std::chrono::steady_clock::now();

    void tick()
    {
        if (at >= steps.size())
            return;
        if (steps[at].done()) {
            ++at;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(60)) {
            check(false, "timed out waiting for " + steps[at].waits_for);
            report();
            _exit(1); // the wizard's modal loops would wait for input that never comes
        }
    }
};

} // namespace

// What the layer posts, recorded where AppKit would pass it on to assistive technology.
// Each element is kept, so that no later object takes its address.
extern "C" void NSAccessibilityPostNotification(id element, NSString* notification)
{
    notifications.push_back({[element retain], [notification retain]});
}

// Runs a script from a timer that fires in the wizard's modal loops too.
@interface ProbeDriver : NSObject {
    script* running;
}
+ (void)endAtOnce:(id)unused;
- (id)initWithScript:(script*)steps;
- (void)tick:(NSTimer*)timer;
@end

@implementation ProbeDriver

// Cocoa protects itself for the run's worker thread once it knows of a second thread.
+ (void)endAtOnce:(id)unused
{
    (void)unused;
}

- (id)initWithScript:(script*)steps
{
    self = [super init];
    if (self != nil)
        running = steps;
    return self;
}

- (void)tick:(NSTimer*)timer
{
    (void)timer;
    running->tick();
}

@end

int main()
{
    return examples::run_cocoa_application([] {
        [NSThread detachNewThreadSelector:@selector(endAtOnce:) toTarget:[ProbeDriver class] withObject:nil];
        client reader;
        script steps{reader.steps()};
        ProbeDriver* driver = [[[ProbeDriver alloc] initWithScript:&steps] autorelease];
        NSTimer* timer = [NSTimer timerWithTimeInterval:0.05 target:driver selector:@selector(tick:) userInfo:nil repeats:YES];
        [[NSRunLoop currentRunLoop] addTimer:timer forMode:NSDefaultRunLoopMode];
        [[NSRunLoop currentRunLoop] addTimer:timer forMode:NSModalPanelRunLoopMode];
        installer::run_installer_ui(nullptr, [&reader](installer::InstallerUI* running) { reader.wizard = running; });
        [timer invalidate];
        check(steps.at == steps.steps.size(), "the wizard ended before the last step");
        report();
        return failures.empty() ? 0 : 1;
    });
}
