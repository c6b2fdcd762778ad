#include "jobs/RandomTags.h"

namespace quillane {

std::uint32_t EntropySeed()
{
    std::random_device device;
    return device();
}

std::string RandomThreeChars(std::mt19937& generator)
{
    std::uniform_int_distribution<int> position(0, 35);
    std::string tag;
    for (int i = 0; i < 3; ++i) {
        tag += kRandomTagAlphabet[position(generator)];
    }
    return tag;
}

}  // namespace quillane
