// Whether a program fits the part's own program memory. The linkers do not
// know the part, and sdcc's code is larger than the original compiler's: a
// project that fits its 4 KB part on Windows may not here, and the hex a
// programmer then refuses or cuts off would come from a build that says
// "0 error(s)". The build command says so after the build.
#ifndef C51_HOST_ROM_CHECK_H_
#define C51_HOST_ROM_CHECK_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "host/project_model.h"

namespace c51::host {

// The code bytes a linker's "Program Size: data=9.0 xdata=0 code=1534"
// line names; -1 for any other line.
int64_t ProgramCodeBytes(std::string_view line);

// The warning for `code_bytes` of program on `device`, whose "CPU" property
// names its on-chip program memory as "IROM(0-0xFFF)"; empty when the
// program fits or the part names none.
std::string RomOverflowWarning(const DeviceInfo& device, int64_t code_bytes);

}  // namespace c51::host

#endif  // C51_HOST_ROM_CHECK_H_
