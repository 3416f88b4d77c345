#include "control/jvmarchkey.h"

#include "control/controlkey.h"

JvmBits jvmArchitectureValue(const std::string& value)
{
    if (value == "64")
        return JvmBits::Bits64;
    if (value == "32")
        return JvmBits::Bits32;
    return JvmBits::Unknown;
}

JvmBits readJvmArchitecture()
{
    return jvmArchitectureValue(readControlKey(JvmArchitectureField));
}

std::string architectureSuffix(const std::string& value)
{
    const JvmBits kind = jvmArchitectureValue(value);
    return kind == JvmBits::Unknown ? std::string() : std::string(" (") + bitsName(kind) + ")";
}
