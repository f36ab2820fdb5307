#pragma once

// The names of Authorization Services' rights that the installer asks for, for the GNUstep build,
// in the header where the Security framework declares them (Authorization.h does not include it).

#define kAuthorizationRightExecute "system.privilege.admin"
