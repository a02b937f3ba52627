// The sample table's bounds.
#include "main/plantmap.h"

#include <stdexcept>

std::size_t SampleTable::index(int channel, int sample)
{
    if (!hasChannel(channel) || sample < 1 || sample > Samples)
        throw std::out_of_range("sample table index out of range");
    return static_cast<std::size_t>((channel - 1) * Samples + sample - 1);
}
