#pragma once

#import <Foundation/Foundation.h>

#include <string>

namespace lcsdk::ui::cocoa {

// The toolkit's UTF-8 text as an NSString; text that is not UTF-8 becomes the empty string, as at
// every other platform boundary (Cocoa takes no nil title, and messages to nil return no sizes).
inline NSString* ns_string(const std::string& text_utf8)
{
    NSString* text = [NSString stringWithUTF8String:text_utf8.c_str()];
    return text != nil ? text : @"";
}

} // namespace lcsdk::ui::cocoa
