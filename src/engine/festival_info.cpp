#include "engine/festival_texts.h"

namespace engine {

namespace {

// Each text: prose paragraphs, then (for most festivals) a list of customs, one
// line each, then whether the day is a major or a minor loremark.
constexpr std::string_view yuleInfo =
    "Yule, also known as the Winter Solstice, marks the winter solstice, which is the longest night of the year and the beginning of the return of the sun. From this night onward the days slowly lengthen again, and the festival celebrates that turning point in the darkest part of the year.\n\n"
    "The name comes from the Old Norse jól and the Old English geol, the names of a midwinter feast and of the months around it. The Germanic peoples kept a feast of several days at this time, with fires, feasting and toasts drunk to the gods, to the ancestors and to a good year ahead. Norse households kept the feast until the great log on the fire had burnt away.\n\n"
    "Many customs of the modern Christmas season began as Yule customs: the evergreen tree, the wreath, the burning of the Yule log, carols sung from house to house and the giving of gifts. Evergreens keep their leaves through the winter and stood for the life that endures through the cold and the dark.\n\n"
    "In the Roman world the same season held the Saturnalia, a week of feasting and merriment in honour of Saturn, and the birthday of Sol Invictus, the unconquered sun, on 25 December. The passage tomb of Newgrange in Ireland, built more than five thousand years ago, is aligned so that the rising sun lights its inner chamber in the days around the winter solstice.\n\n"
    "For many modern pagans Yule is a celebration of rebirth. In one telling the Oak King, ruler of the waxing year, defeats the Holly King, ruler of the waning year, and reigns until midsummer; in another the Goddess gives birth to the newborn sun, the child of promise who will bring back the warmth of summer.\n\n"
    "It is a time of rest and reflection, for gathering with family and friends, for letting go of what the old year has brought and for setting hopes for the year to come. Candles and fires are lit through the long night to welcome back the light, and the old stories are told again.\n\n"
    "Traditional ways to celebrate Yule include:\n\n"
    "• Yule log: Burn a log of oak or ash in the hearth, or decorate a log with candles and greenery, and keep a piece to light next year's fire.\n"
    "• Evergreens: Bring holly, ivy, mistletoe and pine into the home to keep the spirit of growth alive through the winter.\n"
    "• Vigil: Stay awake through the longest night, or rise early to watch the first sunrise after the solstice.\n"
    "• Feasting: Share a meal of seasonal food, mulled wine or wassail with family and friends, and raise a toast to the returning sun.\n"
    "• Gifts: Give small handmade gifts, and leave seeds and fruit out for the birds and other wildlife that must survive the lean months.\n\n"
    "Minor loremark.";

constexpr std::string_view imbolcInfo =
    "Pronounced 'im-olk'. Irish word meaning 'in the belly', although many translate it as 'ewe's milk (ol-melc) hence the date is also known as Olmelc.\n\n"
    "Imbolc falls halfway between the winter solstice and the spring equinox and marks the first stirrings of spring. The ewes begin to give milk for their coming lambs, the first snowdrops and crocuses push through the cold ground and the days grow noticeably longer again.\n\n"
    "The festival is sacred to Brigid, the Irish goddess of poetry, healing and smithcraft, whose perpetual fire was tended by women at Kildare. The Christian church honoured her as Saint Brigid on 1 February, and the following day, 2 February, became Candlemas, the feast on which the candles for the year are blessed.\n\n"
    "In Ireland and Scotland households made a bed for Brigid and invited her in on the eve of the festival, leaving a strip of cloth outside that she would bless as she passed, and crosses woven from rushes were hung over doors to protect the home from fire and harm through the year ahead. Weather lore belongs to the day too: a bright, fair Imbolc was said to foretell more winter to come, a belief that lives on in the American Groundhog Day.\n\n"
    "Imbolc is a festival of purification and new beginnings: a time to clear out the old, to plant the seeds of plans for the coming year and to welcome the returning light as the earth slowly wakes. Wells and springs sacred to Brigid were visited, and offerings were left beside them for health in the year ahead.\n\n"
    "Ways to celebrate Imbolc include:\n\n"
    "• Brigid's cross: Weave a cross from rushes or straw and hang it above the door to bless the home.\n"
    "• Candles: Light a candle in every room, or in a window, to honour the growing strength of the sun.\n"
    "• Spring cleaning: Sweep and clear the house to make room for the new season.\n"
    "• Seeds: Bless seeds for planting and start them indoors, ready for the spring, when they can be planted out in the warming soil.\n"
    "• Milk and bread: Share dairy foods, seed cakes and fresh bread in honour of the ewes and the harvest to come.\n\n"
    "Major loremark.";

constexpr std::string_view ostaraInfo =
    "Also known as the Spring Equinox or Vernal Equinox, Ostara marks the beginning of spring and the rebirth of nature after the long winter months. At the equinox day and night are of nearly equal length everywhere on Earth, and from then on the light is stronger than the dark. The sun rises due east and sets due west, and in the northern hemisphere the growing season truly begins.\n\n"
    "The name is taken from Eostre, or Ostara, a goddess of the dawn and of spring mentioned by the English monk Bede in the eighth century, who wrote that the Anglo-Saxon month of April, Eosturmonath, was named after her. The word Easter comes from the same root. Little else is known about her, and much of what is told about her today was added by later writers, among them Jacob Grimm in the nineteenth century.\n\n"
    "Many of the symbols of the season are older than the Christian feast that now shares them. The egg stands for new life and the promise held within it, and painted eggs were given as gifts in many cultures, from Persia to Eastern Europe, long before they became Easter eggs. The Persian new year, Nowruz, is still celebrated at the equinox with painted eggs on the festive table.\n\n"
    "The hare, an animal of the spring that boxes in the open fields and bears many young, was a symbol of fertility and of the moon; the Easter bunny is its descendant. In folk tales the hare was a sacred animal, not to be hunted or eaten at this season.\n\n"
    "Ostara is a time of balance, when light and darkness stand level for a moment before the light takes the lead. It is a good time to restore balance in your own life and to look at what you want to grow in the months ahead.\n\n"
    "In the fields and gardens it is the time of ploughing and sowing. Buds open on the trees, birds build their nests and the first flowers of spring colour the hedgerows and the woods: daffodils, primroses, violets and the white blossom of the blackthorn. Lambs are born in the fields, and the farmer's year begins in earnest.\n\n"
    "In modern paganism the Goddess is seen as a young maiden and the God as a youth, both growing in strength with the sun as the Earth turns towards summer. Their courtship, which leads on to their union at Beltane, is a theme of many of the season's rites.\n\n"
    "Ways to celebrate Ostara include:\n\n"
    "• Eggs: Decorate eggs with natural dyes and symbols of spring, and hide them for children to find.\n"
    "• Planting: Sow seeds in the garden or in pots, with a wish for what you want to grow in your life.\n"
    "• Walks: Go out into nature to notice the buds, flowers, birds and lambs of the new season.\n"
    "• Balance: Spend a quiet moment on the day of the equinox reflecting on the balance of light and dark in your life.\n\n"
    "Minor loremark.";

constexpr std::string_view beltaneInfo =
    "Also known as May Day, Beltane is a Celtic word meaning 'fire of Bel' (Bel was a Celtic deity). It falls halfway between the spring equinox and the summer solstice and marks the beginning of summer in the old Celtic calendar. It was the start of the light half of the year, as Samhain was the start of the dark half.\n\n"
    "Beltane was one of the four great fire festivals of the Gaelic year. On the eve of the festival the household fires were put out and great bonfires were lit on the hills; cattle were driven between two fires to purify them and protect them before they went out to their summer pastures, and people leapt over the flames for luck. The hearths were then lit again from the festival fire.\n\n"
    "It is a festival of fertility, life and growth. The land is in full bloom, and the union of the God and the Goddess is celebrated as the source of the abundance of the coming summer. Young people spent the night in the woods and came home at dawn with green branches and flowers, and handfastings were made at this season.\n\n"
    "Many May Day customs come from it: dancing around the maypole with its coloured ribbons, crowning a May Queen, gathering flowers and hawthorn blossom before dawn to decorate doors and windows, and washing the face in the morning dew for beauty and health. In some towns people dressed as the Green Man or danced behind a hobby horse through the streets.\n\n"
    "Like Samhain, its opposite on the wheel, Beltane was thought to be a time when the veil between this world and the otherworld is thin, and the fairy folk were believed to be especially active, so offerings of milk and bread were left out for them.\n\n"
    "It is a time for joy, for love and for new ventures, and for celebrating the warmth of the returning summer, as the land comes fully into leaf. The hawthorn, the May tree, is in full flower.\n\n"
    "Major loremark.";

constexpr std::string_view lithaInfo =
    "Also known as Midsummer, celebrates the summer solstice - the longest day of the year when the sun is at its highest point and the earth is at the height of its power and fertility.\n\n"
    "From this day the sun begins to wane, so the festival also looks ahead to the darker half of the year. Bonfires are lit on hilltops and people stay up through the short night to greet the sunrise.\n\n"
    "Herbs gathered at Midsummer, such as St John's wort, were thought to be at their most potent, and garlands of flowers were hung over doors. Many of the great stone circles, Stonehenge among them, are aligned with the sun at the solstices.\n\n"
    "It is a time of celebration, of abundance and gratitude for the light and warmth of the sun.\n\n"
    "Minor loremark.";

constexpr std::string_view lammasInfo =
    "Also known as Lughnasadh, pronounced 'lou-na-sa', celebrates the first of three harvest festivals. It falls halfway between the summer solstice and the autumn equinox, when the first grain is cut and the first loaves are baked from the new crop. It is a time of hard work in the fields, and of hope that the rest of the harvest will be safely gathered in before the autumn storms. The first loaf was kept as a charm.\n\n"
    "The name Lammas comes from the Old English hlafmaesse, 'loaf mass': in Anglo-Saxon England bread made from the first wheat was brought to church to be blessed on 1 August. Lughnasadh is named after the Irish god Lugh, a god of many skills, who is said to have held funeral games in honour of his foster mother Tailtiu, who died of exhaustion after clearing the plains of Ireland for farming.\n\n"
    "The festival was a time of fairs, athletic contests, horse racing, trading and handfastings, trial marriages that lasted a year and a day. It is a celebration of the abundance of the earth, but also a reminder of sacrifice: the grain god gives his life in the harvest so that the people may live, and the seed is kept to grow again next year. Hills and wells were climbed and visited at this time, and the last Sunday of July is still kept as Garland Sunday or Reek Sunday in parts of Ireland.\n\n"
    "Ways to celebrate Lammas include:\n\n"
    "• Bread: Bake a loaf from the new grain, shape it into a figure or a sheaf, and share it with family and friends.\n"
    "• Corn dolly: Make a figure from the last sheaf of the harvest and keep it until spring to bless the next planting.\n"
    "• Gratitude: Give thanks for the harvests of your own life, for what you have worked for and achieved this year.\n"
    "• Games: Hold games, contests or a picnic outdoors in honour of Lugh.\n\n"
    "Major loremark.";

constexpr std::string_view mabonInfo =
    "Celebrates the Autumnal Equinox, marking the second harvest of the year and the balance between light and darkness as the days begin to become shorter than the nights.\n\n"
    "It is the harvest of the fruits: apples, grapes, berries and nuts are gathered and stored, and the year's wine and cider are made. The granaries and storehouses are full, and the work of preserving food for the winter begins.\n\n"
    "The name Mabon was given to the festival in the 1970s, after Mabon ap Modron, a figure of Welsh legend, the son of the mother goddess, who was taken from his mother when a child and later freed by King Arthur's men. Before that it was known simply as the Autumn Equinox or Harvest Home, and in some traditions as the Feast of Avalon.\n\n"
    "Like Ostara, it is a time of balance, but now the dark is about to overtake the light. It is a time to give thanks for what the year has given, to share with those in need and to prepare for the winter ahead.\n\n"
    "Harvest festivals, harvest home suppers and the Christian feast of Michaelmas on 29 September belong to the same season. In churches the altars are decorated with sheaves of corn, fruit and vegetables, and the produce is afterwards given to the poor.\n\n"
    "Ways to celebrate Mabon include:\n\n"
    "• Harvest feast: Share a meal of seasonal produce such as apples, squash, bread and wine.\n"
    "• Giving: Donate food to those in need as thanks for the plenty of the harvest.\n"
    "• Gathering: Walk in the woods and collect fallen leaves, acorns, pine cones and berries to decorate the home.\n"
    "• Reflection: Take stock of the year so far and decide what to keep and what to let go before the winter.\n\n"
    "Minor loremark.";

constexpr std::string_view samhainInfo =
    "Pronounced 'sow'in' or 'sow-ane', marks the end of the harvest season and the beginning of the “darker half” of the year. It falls halfway between the autumn equinox and the winter solstice. It is the last of the three harvests, the harvest of meat and of the final fruits and nuts.\n\n"
    "For the Celts it was the most important of the four fire festivals and is often called the Celtic New Year, since their day began at dusk and their year with the coming of the dark. Cattle were brought down from the summer pastures, and those that could not be kept through the winter were slaughtered. Their meat was salted and stored, and the feasts held with it were the last great gatherings before the hungry months.\n\n"
    "Samhain was believed to be the time when the veil between the world of the living and the world of the dead is at its thinnest, so that the spirits of the ancestors could return to visit their homes and the fairy folk could pass freely between the worlds. Travellers avoided the roads after dark, and those who had to go out carried iron or salt for protection.\n\n"
    "Great bonfires were lit on the hills, and households put out their hearth fires and lit them again from the communal fire to protect them through the winter. Cattle and people alike passed between the fires to be cleansed, and the bones of the slaughtered animals were thrown into the flames, which is one origin offered for the word bonfire.\n\n"
    "Places were set at the table for the dead and food and drink were left out for them, while people went from house to house in disguise, so that any harmful spirit would take them for one of its own. This custom, called guising or mumming, survives in trick-or-treating, brought to America by Irish and Scottish emigrants in the nineteenth century.\n\n"
    "The Christian church placed All Saints' Day on 1 November and All Souls' Day on 2 November, and the eve of All Saints, All Hallows' Eve, became Halloween. Carved turnips, and later pumpkins, were used as lanterns to ward off the spirits.\n\n"
    "It was also a time of divination: apples and nuts were used to foretell marriages, and the future of the coming year was read in the embers of the fire.\n\n"
    "For modern pagans Samhain is a time to honour and remember those who have died, to reflect on the year that is ending and to let go of what is no longer needed, before the rest of the winter. The dark time is seen not as an end but as a time of rest, in which new life waits in the seed beneath the ground.\n\n"
    "Ways to celebrate Samhain include:\n\n"
    "• Ancestor altar: Set out photographs and mementoes of loved ones who have died, with candles, food and drink.\n"
    "• Dumb supper: Share a silent meal with a place laid for the dead.\n"
    "• Lanterns: Carve a turnip or a pumpkin and light a candle inside it to guide the spirits and keep away harm.\n"
    "• Divination: Scry, read the tarot or peel an apple in one long strip to ask questions of the year ahead.\n\n"
    "Major loremark.";

} // namespace

std::string_view info(Festival festival) {
    switch (festival) {
    case Festival::Yule: return yuleInfo;
    case Festival::Imbolc: return imbolcInfo;
    case Festival::Ostara: return ostaraInfo;
    case Festival::Beltane: return beltaneInfo;
    case Festival::Litha: return lithaInfo;
    case Festival::Lammas: return lammasInfo;
    case Festival::Mabon: return mabonInfo;
    case Festival::Samhain: return samhainInfo;
    }
    return yuleInfo;
}

} // namespace engine
