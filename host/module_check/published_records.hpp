// The module's words of one gauge's published records, kept to see whether running
// the gauge wrote into them. The host works on its own copies of a gauge's header,
// chain and mouse list, so a gauge that writes into its published records writes
// behind the host's back (and into every later placement). Words the interface
// leaves to the host (the reserved words, sources' values, the text buffer) and
// those it lets a gauge write (the header's user word, an element's hidden bit) are
// left out of the comparison.
#pragma once

#include "gauge_abi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace panelhost::check {

class PublishedRecords {
  public:
    explicit PublishedRecords(const GaugeHeader& header);

    struct Change {
        std::string record;            // "header", "mouse list", "element 3", ...
        std::optional<size_t> element; // for records of an element
        unsigned kind = 0;
    };
    // The records whose module words differ from when they were last taken; their
    // new words are taken, so that each write is reported once.
    std::vector<Change> take_changes();

  private:
    struct Piece {
        Change where;
        const void* address;
        size_t bytes;
        std::vector<uint8_t> (*module_words)(const void* address, size_t bytes);
        std::vector<uint8_t> taken;
    };
    void add(Change where, const void* address, size_t bytes,
             std::vector<uint8_t> (*module_words)(const void*, size_t));

    std::vector<Piece> pieces_;
};

} // namespace panelhost::check
