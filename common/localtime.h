#pragma once
// Dates in the databases are local times. With TZ unset, the C library looks at
// /etc/localtime again on every local-time conversion: a file-system call per date, which is
// most of the time spent reading a few hundred thousand dates (every tool's last and first
// use, for one). Naming that same file in TZ has it read once; the zone does not change.
namespace falq {

// Call first in main(), before any date is converted. Leaves a TZ that is set as it is.
void readLocalTimeZoneOnce();

} // namespace falq
