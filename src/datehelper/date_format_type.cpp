#include "datehelper/date_format_type.h"

namespace datehelper {

namespace {

const std::string& namedPattern(DateFormatType::Kind kind) {
    using Kind = DateFormatType::Kind;
    static const std::string isoYear = "yyyy";
    static const std::string isoYearMonth = "yyyy-MM";
    static const std::string isoDate = "yyyy-MM-dd";
    static const std::string isoDateTime = "yyyy-MM-dd'T'HH:mmZ";
    static const std::string isoDateTimeSec = "yyyy-MM-dd'T'HH:mm:ssZ";
    static const std::string isoDateTimeMilliSec = "yyyy-MM-dd'T'HH:mm:ss.SSSZ";
    static const std::string dotNet = "/Date(%d%f)/";
    static const std::string rss = "EEE, d MMM yyyy HH:mm:ss ZZZ";
    static const std::string altRSS = "d MMM yyyy HH:mm:ss ZZZ";
    static const std::string httpHeader = "EEE, dd MM yyyy HH:mm:ss ZZZ";
    static const std::string standard = "EEE MMM dd HH:mm:ss Z yyyy";
    switch (kind) {
    case Kind::isoYear: return isoYear;
    case Kind::isoYearMonth: return isoYearMonth;
    case Kind::isoDate: return isoDate;
    case Kind::isoDateTime: return isoDateTime;
    case Kind::isoDateTimeSec: return isoDateTimeSec;
    case Kind::isoDateTimeMilliSec: return isoDateTimeMilliSec;
    case Kind::dotNet: return dotNet;
    case Kind::rss: return rss;
    case Kind::altRSS: return altRSS;
    case Kind::httpHeader: return httpHeader;
    case Kind::custom:
    case Kind::standard: break;
    }
    return standard;
}

} // namespace

const std::string& DateFormatType::stringFormat() const noexcept {
    return kind_ == Kind::custom ? pattern_ : namedPattern(kind_);
}

} // namespace datehelper
