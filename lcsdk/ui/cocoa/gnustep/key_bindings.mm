// Escape sends cancelOperation: on macOS; GNUstep's default bindings send complete: instead. Its
// input manager reads extra bindings from the GSKeyBindings default, so the mapping is registered
// there (a user's own bindings still win) before any key is interpreted.
#import <Foundation/Foundation.h>

@interface LCMacKeyBindings : NSObject
@end

@implementation LCMacKeyBindings

+ (void)load
{
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    NSDictionary* bindings = [NSDictionary dictionaryWithObject:@"cancelOperation:" forKey:@"Escape"];
    [[NSUserDefaults standardUserDefaults] registerDefaults:[NSDictionary dictionaryWithObject:bindings
                                                                                        forKey:@"GSKeyBindings"]];
    [pool drain];
}

@end
