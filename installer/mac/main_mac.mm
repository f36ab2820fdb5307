// Entry of lcinstaller-mac: the Cocoa application, whose principal class connects the delegate that
// runs the installer.
#import <AppKit/AppKit.h>

int main(int argc, const char** argv)
{
    return NSApplicationMain(argc, argv);
}
