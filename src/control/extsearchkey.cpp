#include "control/extsearchkey.h"

#include "control/controlkey.h"
#include "exec/strutil.h"

bool extendedJvmSearchValue(const std::string& value)
{
    return !equalsIgnoringCase(value, "false") && !equalsIgnoringCase(value, "no");
}

bool readExtendedJvmSearch()
{
    return extendedJvmSearchValue(readControlKey(ExtendedJvmSearchField));
}
