#include "engine/zodiac_sign_texts.h"

namespace engine {

using ephemeris::Zodiac;

// One paragraph per constellation: where it lies, its brightest stars and what
// else it holds. Star-name glosses stand between plain apostrophes.
std::string_view getStarSignAstronomyString(Zodiac s) {
    switch (s) {
    case Zodiac::aries:
        return "Constellation in the northern sky lying between Pisces and Taurus. It has no very bright stars: its brightest is Hamal, 'the lamb', an orange giant of magnitude 2.0. Some two thousand years ago the Sun stood in Aries at the March equinox, so the vernal equinox is still called the first point of Aries, and the sign of Aries still begins there. Precession of the axis of the Earth has since moved the equinox westward into Pisces, where it will stay until it crosses into Aquarius in about six centuries.";
    case Zodiac::taurus:
        return "Constellation lying in the northern sky between Aries and Gemini. Its brightest star is Aldebaran, 'the follower', the 14th brightest star of the night sky at magnitude 0.85. Taurus also houses the Crab Nebula, the remains of a supernova seen in 1054, and two famous star clusters, the Pleiades and the Hyades.";
    case Zodiac::gemini:
        return "Constellation lying in the northern sky between Cancer and Taurus. Its brightest stars, Castor and Pollux, mark the heads of the twins. Pollux, an orange giant of magnitude 1.15, is the 17th brightest star in the sky and the brighter of the pair. The summer solstice lies in Gemini, on its border with Taurus, so the Sun is there at midsummer. Gemini also holds Geminga, one of the closest pulsars, a strong source of gamma rays.";
    case Zodiac::cancer:
        return "Constellation lying in the northern sky between Leo and Gemini. It is the faintest of the zodiac’s constellations, best known for Praesepe, the Beehive cluster, visible to the naked eye as a misty patch. Its brightest star is Al Tarf, 'the end', an orange giant of magnitude 3.6.";
    case Zodiac::leo:
        return "Constellation lying in the northern sky between Cancer and Virgo. Its brightest star is Regulus, 'the little king', of magnitude 1.35, which is almost on the ecliptic. Regulus marks the base of the Sickle, a backward question mark.";
    case Zodiac::virgo:
        return "Constellation lying in the southern sky between Leo and Libra. Its brightest star is Spica, 'the ear of wheat', of magnitude 1.04, the 15th brightest star, changing places with the variable Antares. Virgo holds the Virgo cluster of over a thousand galaxies, among them the giant galaxy Virgo A, a strong radio source. In 1992, the first planets found outside the solar system were discovered in Virgo, orbiting the pulsar PSR 1257+12.";
    case Zodiac::libra:
        return "Constellation in the southern sky lying between Scorpius and Virgo. Its stars are faint; the brightest is Zubeneschamali, 'the northern claw', of magnitude 2.6, a name from the time when these stars were counted as the claws of the neighbouring Scorpion.";
    case Zodiac::scorpio:
        return "Constellation lying in the southern sky between Libra and Sagittarius. Its brightest star is the red supergiant Antares, of magnitude 1.1 and the 15th brightest in the sky. The name means 'rival of Ares', the god of war, because its red colour rivals that of the god’s planet, Mars. Scorpius also holds Scorpius X-1, the first X-ray source found outside the solar system, and the brightest in the sky after the Sun.";
    case Zodiac::sagittarius:
        return "Constellation in the southern sky lying between Capricornus and Scorpius. The centre of the Milky Way lies in Sagittarius, where the radio source Sagittarius A* marks a black hole some four million times as massive as the Sun. The Sun passes through Sagittarius at the December solstice, and the winter solstice lies near its western border. The richest star clouds of our galaxy are here, with many nebulas and clusters, among them the Lagoon Nebula and the Trifid Nebula, both visible in binoculars. Its brightest star is Kaus Australis, 'the southern part of the bow', of magnitude 1.9. The brightest stars of Sagittarius form the Teapot, an easily recognised asterism whose spout seems to pour steam from the Milky Way.";
    case Zodiac::capricorn:
        return "Constellation lying in the southern sky between Aquarius and Sagittarius. Its stars are faint; the brightest is Deneb Algedi, 'the tail of the goat', of magnitude 2.9. The constellation’s name is Capricornus, while the sign is generally called Capricorn, as is the Tropic of Capricorn.";
    case Zodiac::aquarius:
        return "Constellation lying in the southern sky between Capricornus and Pisces. It is large, but has no striking features; one of its brightest stars is Sadalmelik, 'the luck of the king', of magnitude 3.0.";
    case Zodiac::pisces:
        return "Constellation in the northern sky between Aries and Aquarius. The vernal equinox, the point where the Sun’s path crosses the celestial equator going northwards, now lies in Pisces, carried there from Aries by precession. The constellation has only faint stars; the brightest is Eta Piscium, of magnitude 3.6. Its fishes are joined by a cord whose knot is the star Alrescha, 'the cord'.";
    }
    return {};
}

} // namespace engine
