#include "inspect/shared_strings.h"

namespace ovrabjt {

bool IsTicketStringShared(const TicketRecord& record, std::uint16_t index) {
  int holders = 0;
  ForEachStringRef(record, [&](Field<std::uint16_t> f) {
    if (record.Get(f) == index) ++holders;
    return holders < 2;
  });
  return holders > 1;
}

}  // namespace ovrabjt
