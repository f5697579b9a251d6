#pragma once
// The program-wide values that are not preferences: the program's name, the
// credit lines and web addresses of the about section and the Help command, and
// the observer's position, from whose latitude the festival computations take
// the hemisphere. Nothing here is stored; every start begins from the initial
// values. A write stores the value and then announces it (the field's own
// signal, then `changed()`); old and new values are not compared.

#include <QObject>
#include <QString>

namespace app {

class GlobalModel : public QObject {
    Q_OBJECT

public:
    // The one instance, made on first use.
    static GlobalModel& shared();

    const QString& appName() const noexcept { return appName_; }
    const QString& copyrightStr() const noexcept { return copyrightStr_; }
    const QString& otherCredit() const noexcept { return otherCredit_; }
    const QString& website() const noexcept { return website_; }
    const QString& websiteHelp() const noexcept { return websiteHelp_; }
    double Longitude() const noexcept { return longitude_; }   // degrees, east positive
    double Latitude() const noexcept { return latitude_; }     // degrees, north positive

    void setAppName(const QString& value);
    void setCopyrightStr(const QString& value);
    void setOtherCredit(const QString& value);
    void setWebsite(const QString& value);
    void setWebsiteHelp(const QString& value);
    void setLongitude(double value);
    void setLatitude(double value);

signals:
    void appNameChanged(const QString& value);
    void copyrightStrChanged(const QString& value);
    void otherCreditChanged(const QString& value);
    void websiteChanged(const QString& value);
    void websiteHelpChanged(const QString& value);
    void LongitudeChanged(double value);
    void LatitudeChanged(double value);
    void changed();

private:
    GlobalModel();

    template <class T, class Arg>
    void assign(T& member, const T& value, void (GlobalModel::*announce)(Arg)) {
        member = value;
        emit(this->*announce)(value);
        emit changed();
    }

    QString appName_;
    QString copyrightStr_;
    QString otherCredit_;
    QString website_;
    QString websiteHelp_;
    double longitude_ = 0.0;
    double latitude_ = 0.0;
};

} // namespace app
