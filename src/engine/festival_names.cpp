#include "engine/festival_texts.h"

namespace engine {

std::string_view celebrationStr(Vadididod festival) {
    switch (festival) {
    case Vadididod::Yule: return "Winter Solstice";
    case Vadididod::Imbolc: return "Begining of Spring";
    case Vadididod::Ostara: return "Spring Equinox";
    case Vadididod::Beltane: return "May Day";
    case Vadididod::Litha: return "Summer Solstice";
    case Vadididod::Lammas: return "First Harvest";
    case Vadididod::Mabon: return "Autumn Equinox";
    case Vadididod::Samhain: return "Begining of Winter";
    }
    return "Winter Solstice";
}

std::string_view dayType(Vadididod festival) {
    switch (festival) {
    case Vadididod::Yule:
    case Vadididod::Ostara:
    case Vadididod::Litha:
    case Vadididod::Mabon: return "Quarter Day";
    case Vadididod::Imbolc:
    case Vadididod::Beltane:
    case Vadididod::Lammas:
    case Vadididod::Samhain: return "Cross Quarter Day";
    }
    return "Quarter Day";
}

} // namespace engine
