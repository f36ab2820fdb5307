// A backslash is an ordinary character in macOS file names, and a leading "C:" is no drive. GNUstep
// reads both the Windows way unless its path handling is set to Unix rules, which are macOS's; it
// is set before any path is read.
#import <Foundation/Foundation.h>

// GNUstep Base has it, without declaring it in a header.
extern "C" const char* GSPathHandling(const char* mode);

@interface LCMacPathHandling : NSObject
@end

@implementation LCMacPathHandling

+ (void)load
{
    GSPathHandling("unix");
}

@end
