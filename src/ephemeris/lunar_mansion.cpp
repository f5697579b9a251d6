#include "ephemeris/lunar_mansion.h"

namespace ephemeris {

std::string_view formatted(LunarMansion mansion) noexcept {
    switch (mansion) {
    case LunarMansion::alSharatain: return "Al Sharatain (1st)";
    case LunarMansion::alButayn: return "Al Butayn (2nd)";
    case LunarMansion::alThuraiya: return "Al Thuraiya (3rd)";
    case LunarMansion::alDabaran: return "Al Dabaran (4th)";
    case LunarMansion::alHaqa: return "Al Haqa (5th)";
    case LunarMansion::alHana: return "Al Hana (6th)";
    case LunarMansion::alDhira: return "Al Dhira (7th)";
    case LunarMansion::alNathrah: return "Al Nathrah (8th)";
    case LunarMansion::alTarf: return "Al Tarf (9th)";
    case LunarMansion::alJabhah: return "Al Jabhah (10th)";
    case LunarMansion::alZubrah: return "Al Zubrah (11th)";
    case LunarMansion::alSarfah: return "Al Sarfah (12th)";
    case LunarMansion::alAwwa: return "Al Awwa (13th)";
    case LunarMansion::alSimak: return "Al Simak (14th)";
    case LunarMansion::alGhafr: return "Al Ghafr (15th)";
    case LunarMansion::alZubana: return "Al Zubana (16th)";
    case LunarMansion::alIklil: return "Al Iklil (17th)";
    case LunarMansion::alQalb: return "Al Qalb (18th)";
    case LunarMansion::alShaulah: return "Al Shaulah (19th)";
    case LunarMansion::alNaaim: return "Al Naaim (20th)";
    case LunarMansion::alBaldah: return "Al Baldah (21st)";
    case LunarMansion::saedAlDhabih: return "Sa'd Al Dhabih (22nd)";
    case LunarMansion::saedBula: return "Sa'd Bula (23rd)";
    case LunarMansion::saedAlSuud: return "Sa'd Al Suud (24th)";
    case LunarMansion::saedAlAkhbiyah: return "Sa'd Al Akhbiyah (25th)";
    case LunarMansion::alFarghAlAwwal: return "Al Fargh al-Awwal (26th)";
    case LunarMansion::alFarghAlThani: return "Al Fargh al-Thani (27th)";
    case LunarMansion::batnAlHut: return "Batn al-Hut (28th)";
    }
    return {};
}

} // namespace ephemeris
