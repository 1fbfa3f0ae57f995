// Reading memory where a caller's pointer leads and its extent is not known:
// a page the process cannot read is reported, never faulted on. The packed
// ticket of the exports comes without a length, and its string count may
// claim more strings than the caller's block holds.
#pragma once

#include <cstddef>

namespace ovrabjt {

// CopyReadableMemory - copies up to `count` bytes from `from` into `to` and
// returns how many it copied: `count`, or fewer when the page holding byte
// `from + result` cannot be read (not mapped, mapped without read access,
// or a guard page). `to` must hold `count` bytes. Where the platform cannot
// tell, the rest counts as unreadable. The copy is made by the system, so
// that bytes beyond the caller's block that are copied but never used are
// not reported as read by the memory checkers (valgrind, the sanitizers).
std::size_t CopyReadableMemory(const void* from, void* to, std::size_t count) noexcept;

}  // namespace ovrabjt
