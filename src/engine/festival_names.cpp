#include "engine/festival_texts.h"

namespace engine {

std::string_view celebrationStr(Festival festival) {
    switch (festival) {
    case Festival::Yule: return "Winter Solstice";
    case Festival::Imbolc: return "Begining of Spring";
    case Festival::Ostara: return "Spring Equinox";
    case Festival::Beltane: return "May Day";
    case Festival::Litha: return "Summer Solstice";
    case Festival::Lammas: return "First Harvest";
    case Festival::Mabon: return "Autumn Equinox";
    case Festival::Samhain: return "Begining of Winter";
    }
    return "Winter Solstice";
}

std::string_view dayType(Festival festival) {
    switch (festival) {
    case Festival::Yule:
    case Festival::Ostara:
    case Festival::Litha:
    case Festival::Mabon: return "Quarter Day";
    case Festival::Imbolc:
    case Festival::Beltane:
    case Festival::Lammas:
    case Festival::Samhain: return "Cross Quarter Day";
    }
    return "Quarter Day";
}

} // namespace engine
