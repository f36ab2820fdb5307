// LSCopyApplicationURLsForURL on GNUstep: the applications whose bundle claims the document's
// extension (CFBundleDocumentTypes → CFBundleTypeExtensions), looked for where macOS keeps them
// (/Applications and one folder below it) and in GNUstep's application folders.
#include <CoreServices/CoreServices.h>

#import <Foundation/Foundation.h>

namespace {

// A bundle's property list: the Mac layout first, then GNUstep's.
NSDictionary* bundle_info(NSString* bundle)
{
    NSArray* places = [NSArray arrayWithObjects:@"Contents/Info.plist", @"Resources/Info-gnustep.plist", nil];
    for (NSUInteger i = 0; i < [places count]; ++i) {
        NSString* path = [bundle stringByAppendingPathComponent:[places objectAtIndex:i]];
        if (NSDictionary* info = [NSDictionary dictionaryWithContentsOfFile:path])
            return info;
    }
    return nil;
}

bool claims_extension(NSString* bundle, NSString* extension)
{
    NSDictionary* info = bundle_info(bundle);
    id types = [info objectForKey:@"CFBundleDocumentTypes"];
    if (![types isKindOfClass:[NSArray class]])
        return false;
    for (NSUInteger i = 0; i < [types count]; ++i) {
        id type = [types objectAtIndex:i];
        if (![type isKindOfClass:[NSDictionary class]])
            continue;
        id extensions = [type objectForKey:@"CFBundleTypeExtensions"];
        if (![extensions isKindOfClass:[NSArray class]])
            continue;
        for (NSUInteger j = 0; j < [extensions count]; ++j) {
            id claimed = [extensions objectAtIndex:j];
            if ([claimed isKindOfClass:[NSString class]] && [claimed caseInsensitiveCompare:extension] == NSOrderedSame)
                return true;
        }
    }
    return false;
}

bool is_folder(NSString* path)
{
    BOOL folder = NO;
    return [[NSFileManager defaultManager] fileExistsAtPath:path isDirectory:&folder] && folder;
}

// Application bundles directly in `folder`, and, when `depth` allows, in its plain sub-folders.
// Bundles are not looked into.
void collect_applications(NSString* folder, int depth, NSString* extension, NSMutableSet* found)
{
    NSArray* names = [[NSFileManager defaultManager] contentsOfDirectoryAtPath:folder error:NULL];
    for (NSUInteger i = 0; i < [names count]; ++i) {
        NSString* path = [folder stringByAppendingPathComponent:[names objectAtIndex:i]];
        if (!is_folder(path))
            continue;
        if ([[path pathExtension] isEqualToString:@"app"]) {
            if (claims_extension(path, extension))
                [found addObject:path];
        } else if (depth > 0) {
            collect_applications(path, depth - 1, extension, found);
        }
    }
}

} // namespace

CFArrayRef LSCopyApplicationURLsForURL(CFURLRef inURL, LSRolesMask /*inRoleMask: every role counts*/)
{
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    NSURL* document = (NSURL*)inURL;
    NSString* extension = [document isFileURL] ? [[document path] pathExtension] : @"";
    NSMutableArray* urls = nil;
    if ([extension length] > 0) {
        NSMutableSet* found = [NSMutableSet set];
        collect_applications(@"/Applications", 1, extension, found);
        NSArray* folders = NSSearchPathForDirectoriesInDomains(NSApplicationDirectory, NSAllDomainsMask, YES);
        for (NSUInteger i = 0; i < [folders count]; ++i)
            collect_applications([folders objectAtIndex:i], 0, extension, found);
        NSArray* paths = [[found allObjects] sortedArrayUsingSelector:@selector(compare:)];
        if ([paths count] > 0) {
            urls = [[NSMutableArray alloc] initWithCapacity:[paths count]];
            for (NSUInteger i = 0; i < [paths count]; ++i)
                [urls addObject:[NSURL fileURLWithPath:[paths objectAtIndex:i] isDirectory:YES]];
        }
    }
    [pool drain];
    return (CFArrayRef)urls;
}

void CFRelease(CFTypeRef cf)
{
    [(id)cf release];
}
