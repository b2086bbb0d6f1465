#pragma once

#include <cstddef>
#include <cstdint>

// Feeds bytes to the path a structure file takes (decoding, DOM, the whole
// read, sorting, labels, the tree's order) and then lays every dispatch point
// out in all three modes, hit-tests and paints it, at a size taken from the
// input's last four bytes. Any failure must end in ErrorXML or a message.
void RunStructureInput(const std::uint8_t *data, std::size_t size);
