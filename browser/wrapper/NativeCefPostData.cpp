#include "browser/wrapper/NativeCefPostData.h"

// Posted data has no operations of its own: the client only passes it back to
// a request. The class exists so the bridge can make its objects.
