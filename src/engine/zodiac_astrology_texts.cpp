#include "engine/zodiac_sign_texts.h"

namespace engine {

using ephemeris::Zodiac;

// One paragraph per sign, opening with its element ("fire sign.") and going on to
// the myth behind its figure.
std::string_view getStarSignAstrologyString(Zodiac s) {
    switch (s) {
    case Zodiac::aries:
        return "fire sign. In Egyptian myth the ram was the animal of Amon, king of the gods, who was shown with a ram’s head. In Greek myth Aries is the ram of the golden fleece that rescued Phrixus from being sacrificed and carried him through the air to Colchis. There Phrixus offered the ram to Zeus and hung its fleece in a sacred grove, from which Jason and the Argonauts took it later.";
    case Zodiac::taurus:
        return "earth sign. In Greek myth Zeus took the form of a gentle white bull to win Europa, and carried her off across the sea to Crete.";
    case Zodiac::gemini:
        return "air sign. Gemini is the sign of the twins, but Egyptian astrology showed it as a pair of goats and Arabian astrology as a pair of peacocks. The Greeks saw the twins Castor and Pollux, the inseparable sons of Leda, and the sign is also linked with other famed pairs, such as Romulus and Remus or Apollo and Heracles.";
    case Zodiac::cancer:
        return "water sign. When Heracles fought the many-headed Lernaean hydra, the goddess Hera, his old enemy, sent a giant crab to distract him. The crab pinched Heracles’ foot and he crushed it beneath his heel. As a reward for its loyal service Hera placed the crab among the stars.";
    case Zodiac::leo:
        return "fire sign. Leo is the Nemean lion, whose hide no weapon could pierce, slain by Heracles as his first labour.";
    case Zodiac::virgo:
        return "earth sign. Virgo is pictured as a maiden carrying a sheaf of wheat, often with an ear of corn in her hand. She has been seen as a fertility goddess, as Demeter or her daughter Persephone, or as the harvest maiden of the late summer.";
    case Zodiac::libra:
        return "air sign. Libra is pictured as a woman holding a balance scale, often taken to be Astraea, the goddess of justice, or as the balance alone, a mere object.";
    case Zodiac::scorpio:
        return "water sign. In one Greek myth a scorpion sent by the earth goddess Gaia stung and slew the boastful hunter Orion, and the two were placed on opposite sides of the sky. In another myth, when Phaeton drove the chariot of his father, the Sun, the horses saw the huge scorpion in the sky, took fright and bolted, scorching the Earth.";
    case Zodiac::sagittarius:
        return "fire sign. Sagittarius is usually shown as a centaur drawing his bow, or simply as an arrow drawn across a bow. Already to the Babylonians these stars were a mounted archer, the winged god Pabilsag, with the body of a horse.";
    case Zodiac::capricorn:
        return "earth sign. The sign is also called Capricornus or the Goat, and is drawn as a goat with the tail of a fish. The fishtail is explained by the myth of Pan: when the monster Typhon attacked the gods, Pan jumped into the river Nile to escape him. The part of him under the water turned into a fish and the part above it stayed a goat, and Zeus set the shape in the sky.";
    case Zodiac::aquarius:
        return "air sign. Aquarius is shown as a man pouring water from a jug. In the Middle East they were linked to the yearly floods of the great rivers and the rains of the wet season, when the Sun passed through this part of the sky.";
    case Zodiac::pisces:
        return "water sign. Pisces is shown as two fish swimming in opposite directions, tied together by a cord. In Greek myth Aphrodite and her son Eros escaped the monster Typhon by turning into fish and swimming away, tied up so that they would not lose each other.";
    }
    return {};
}

} // namespace engine
