// Prints the boundary's names, one per line, for the check of the Java test
// classes (tests/browser/jvm/BoundaryCheck.java):
//   method <class> <name> <signature>      (also constructors, "<init>")
//   static <class> <name> <signature>
//   field <class> <name> <signature>
//   constant <class> <name> <value>        (an enumeration constant's getValue)
#include "browser/boundary/BoundaryNames.h"
#include "browser/boundary/LoadErrorCodes.h"

#include <cstdio>

int main() {
    using namespace plenfox::boundary;
    for (const Method& method : Methods::All)
        std::printf("%s %s %s %s\n", method.isStatic ? "static" : "method", method.className,
                    method.name, method.signature);
    for (const ClientKind& kind : Kinds::All) {
        std::printf("method %s <init> ()V\n", kind.className);
        std::printf("field %s %s J\n", kind.className, kind.handleField);
    }
#define PLENFOX_PRINT_CODE(name, value)                                                            \
    std::printf("constant %s %s %d\n", PLENFOX_BOUNDARY_PACKAGE "CefHandlerErrorCode", #name,      \
                value);
    PLENFOX_LOAD_ERROR_CODES(PLENFOX_PRINT_CODE)
#undef PLENFOX_PRINT_CODE
    return 0;
}
