// GNUstep registers ImageMagick's image reader beside its own, and with it 237 of the 240 image file
// types it knows. Every lookup of an image by name (a menu's check mark, a title bar's buttons, the
// application's icon) then tries each of those types in each resource folder of the application's
// bundle and of the system, which took most of a program's start before its first frame. A Mac knows
// a few dozen types. The toolkit's pictures are PNG data, GNUstep's own pictures TIFF files and an
// application's icon an icns file, all of which NSBitmapImageRep reads itself, so ImageMagick's
// reader is taken out before any image is looked up.
#import <AppKit/AppKit.h>

@interface LCImageTypes : NSObject
@end

@implementation LCImageTypes

+ (void)load
{
    Class magick = NSClassFromString(@"GSImageMagickImageRep");
    if (magick != Nil)
        [NSImageRep unregisterImageRepClass:magick];
}

@end
