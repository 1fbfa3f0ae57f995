// Single runs of the module's conversions, shared by the measurements that
// time them alone and those that pair them with the floor.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ticket/ticket_record.h"
#include "workload.h"

namespace ovrabjt::bench {

// The ticket converted to text into a sink that keeps nothing; without
// `with_length` the packed ticket comes without its length, as through the
// export. A failure ends the measurement with an error.
void ConvertOnce(benchmark::State& state, const Ticket& t, bool with_length = true);

// The ticket's packed bytes unpacked into `record`, measured and packed
// again into `out` (as large as the packed ticket).
void UnpackPackOnce(const Ticket& t, TicketRecord& record, std::vector<std::uint8_t>& out);

// Both calls of a load of the ticket's document file. A failure ends the
// measurement with an error.
void LoadOnce(benchmark::State& state, const Ticket& t);

}  // namespace ovrabjt::bench
