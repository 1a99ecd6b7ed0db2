#include "SeedData.h"

#include "Passwords.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QStringList>

#include <array>
#include <cmath>
#include <vector>

namespace {

struct District
{
    const char *uid;
    const char *name;
    double lat, lng;
};

struct City
{
    const char *id;
    const char *uid;
    const char *name;
    double lat, lng;
    int events;
    std::vector<District> districts;
};

const std::vector<City> &cities()
{
    static const std::vector<City> list = {
        { "108288", "beijing", "北京", 39.9042, 116.4074, 140,
          { { "dongcheng", "东城区", 39.9288, 116.4160 }, { "xicheng", "西城区", 39.9123, 116.3660 },
            { "chaoyang", "朝阳区", 39.9215, 116.4434 }, { "haidian", "海淀区", 39.9593, 116.2981 },
            { "fengtai", "丰台区", 39.8585, 116.2868 }, { "shijingshan", "石景山区", 39.9056, 116.2229 } } },
        { "108296", "shanghai", "上海", 31.2304, 121.4737, 60,
          { { "huangpu", "黄浦区", 31.2317, 121.4849 }, { "xuhui", "徐汇区", 31.1885, 121.4365 },
            { "jingan", "静安区", 31.2290, 121.4480 }, { "pudong", "浦东新区", 31.2215, 121.5447 },
            { "changning", "长宁区", 31.2204, 121.4246 } } },
        { "118281", "guangzhou", "广州", 23.1291, 113.2644, 30,
          { { "tianhe", "天河区", 23.1246, 113.3612 }, { "yuexiu", "越秀区", 23.1290, 113.2668 },
            { "haizhu", "海珠区", 23.0838, 113.3172 }, { "liwan", "荔湾区", 23.1259, 113.2442 } } },
        { "118282", "shenzhen", "深圳", 22.5431, 114.0579, 30,
          { { "futian", "福田区", 22.5221, 114.0550 }, { "nanshan", "南山区", 22.5333, 113.9305 },
            { "luohu", "罗湖区", 22.5481, 114.1315 }, { "baoan", "宝安区", 22.5553, 113.8836 } } },
        { "118172", "hangzhou", "杭州", 30.2741, 120.1551, 30,
          { { "xihu", "西湖区", 30.2592, 120.1300 }, { "shangcheng", "上城区", 30.2425, 120.1692 },
            { "gongshu", "拱墅区", 30.3199, 120.1420 }, { "binjiang", "滨江区", 30.2084, 120.2117 } } },
        { "118318", "chengdu", "成都", 30.5728, 104.0668, 30,
          { { "jinjiang", "锦江区", 30.6578, 104.0833 }, { "qingyang", "青羊区", 30.6744, 104.0615 },
            { "wuhou", "武侯区", 30.6422, 104.0434 }, { "chenghua", "成华区", 30.6600, 104.1013 } } },
        { "118159", "nanjing", "南京", 32.0603, 118.7969, 25,
          { { "xuanwu", "玄武区", 32.0488, 118.7979 }, { "qinhuai", "秦淮区", 32.0339, 118.7941 },
            { "gulou", "鼓楼区", 32.0662, 118.7699 } } },
        { "118371", "xian", "西安", 34.3416, 108.9398, 25,
          { { "beilin", "碑林区", 34.2567, 108.9403 }, { "yanta", "雁塔区", 34.2229, 108.9484 },
            { "lianhu", "莲湖区", 34.2656, 108.9335 } } },
    };
    return list;
}

struct Category
{
    const char *code;
    std::vector<const char *> titles;
    const char *lead;
};

// "%1" artist, "%2" band or group, "%3" theme, "%4" work, "%5" place, "%6" city.
const std::vector<Category> &categories()
{
    static const std::vector<Category> list = {
        { "music",
          { "%1「%3」巡回演唱会·%6站", "%2乐队%6专场", "爵士之夜：%2四重奏", "城市草坪音乐节",
            "%1钢琴独奏音乐会", "民谣现场：%1与朋友们", "交响乐团冬季音乐会", "电子音乐派对：%3" },
          "现场乐队全程演奏，曲目涵盖新专辑与经典作品，演出时长约两小时。" },
        { "drama",
          { "话剧《%4》", "沉浸式戏剧《%4》", "相声专场：%1和他的搭档们", "昆曲《牡丹亭》精华版",
            "音乐剧《%4》中文版", "儿童剧《%4》" },
          "剧团原班人马演出，演出结束后有主创见面环节。" },
        { "exhibition",
          { "%1个人作品展", "城市记忆摄影展", "当代水墨邀请展", "%3：新媒体艺术展",
            "丝绸之路文物特展", "插画艺术联展" },
          "展出作品百余件，周末有策展人导览，请提前预约。" },
        { "sports",
          { "%6城市半程马拉松", "周末羽毛球友谊赛", "夜跑团：%3路线", "攀岩入门体验课",
            "社区篮球联赛", "湖边瑜伽晨练" },
          "适合各个水平的参与者，请穿着运动服装并自备饮用水。" },
        { "party",
          { "周末桌游之夜", "青年交友派对", "创意手作市集", "咖啡品鉴会", "露天电影野餐",
            "读书会：《%4》" },
          "轻松的聚会氛围，欢迎带上朋友一起来。" },
        { "commonweal",
          { "流浪动物领养日", "社区植树活动", "旧书捐赠义卖", "河岸清洁志愿行动",
            "为山区儿童募捐音乐会", "无偿献血进社区" },
          "活动所得将全部用于公益项目，志愿者将获得服务时长证明。" },
        { "travel",
          { "周末徒步：%5", "古镇摄影之旅", "城市骑行：%5", "夜游%5", "冬日登山：%5" },
          "领队全程陪同，含往返交通与保险，名额有限。" },
        { "film",
          { "%1导演作品回顾展", "经典修复版《%4》放映", "独立电影放映会", "纪录片《%4》映后交流",
            "动画短片之夜" },
          "放映后有导演或影评人交流环节，影片为原声中文字幕。" },
        { "salon",
          { "讲座：%3", "创业沙龙：%3", "主题分享会：%3", "作家见面会：%1", "设计师对谈：%3" },
          "嘉宾分享约一小时，之后是自由提问与交流。" },
        { "others",
          { "二手物品交换会", "宠物运动会", "汉服体验日", "城市寻宝游戏" },
          "现场有多个互动环节，适合家庭参与。" },
    };
    return list;
}

const QStringList kArtists = { "林夏", "周默", "陈一舟", "白露", "苏未", "何小野", "叶青", "沈星河" };
const QStringList kBands = { "回声", "北方信号", "九号公园", "慢车", "夏日电台", "灰鲸" };
const QStringList kThemes = { "远方", "光年", "晚风", "城南旧事", "夜航", "人工智能与生活",
                              "城市与建筑", "如何读一首诗", "独立出版", "声音设计" };
const QStringList kWorks = { "雷雨", "茶馆", "小王子", "夜莺", "纸月亮", "看不见的城市",
                             "小城之春", "城南旧事", "天空之城" };
const QStringList kPlaces = { "西山古道", "江边绿道", "老城墙", "湿地公园", "古运河", "森林公园" };
const QStringList kVenues = { "星光剧场", "城市艺术中心", "青年文化宫", "创意园 3 号楼",
                              "江畔公园", "体育中心", "中心图书馆报告厅", "老街书店",
                              "湖畔草坪", "音乐厅", "美术馆一层展厅", "Livehouse 空间" };
const QStringList kStreets = { "建国路", "文化路", "人民路", "滨江路", "解放路", "中山路", "和平街",
                               "长安街" };

struct Organiser
{
    const char *uid;
    const char *name;
    const char *signature;
};

const std::vector<Organiser> kOrganisers = {
    { "starlight_theatre", "星光剧场", "好戏每晚上演" },
    { "city_art_center", "城市艺术中心", "让艺术走进生活" },
    { "echo_live", "回声现场", "独立音乐的家" },
    { "green_steps", "绿色脚步户外", "走出去，看世界" },
    { "paper_moon_books", "纸月亮书店", "一起读书吧" },
    { "run_club", "城市跑团", "每周三夜跑，风雨无阻" },
    { "cinema_archive", "光影资料馆", "好电影值得再看一次" },
    { "kind_hands", "暖手公益", "一点点善意" },
    { "maker_market", "手作市集", "每个周末都有新东西" },
    { "idea_salon", "想法沙龙", "聊聊正在发生的事" },
    { "youth_palace", "青年文化宫", "青年人的文化空间" },
    { "jazz_corner", "爵士角落", "今晚有现场" },
};

const std::vector<std::pair<const char *, const char *>> kSurnames = {
    { "王", "wang" }, { "李", "li" }, { "张", "zhang" }, { "刘", "liu" },
    { "陈", "chen" }, { "杨", "yang" }, { "赵", "zhao" }, { "黄", "huang" }
};
const std::vector<std::pair<const char *, const char *>> kGivenNames = {
    { "小雨", "xiaoyu" }, { "子涵", "zihan" }, { "浩然", "haoran" }, { "思远", "siyuan" },
    { "一诺", "yinuo" }
};

const QStringList kCaptions = { "现场气氛超好", "第一排的视角", "散场后的合影", "灯光太美了",
                                "排队入场中", "主角谢幕", "和朋友一起来的", "" };

struct Account
{
    qint64 id;
    const char *uid;
    const char *name;
    const char *email;
    const char *password;
    const char *cityId;
    bool blocked;
};

const Account kAccounts[] = {
    { 1001, "xiaoming", "小明", "xiaoming@velari.com", "velari2026", "108288", false },
    { 1002, "lily", "莉莉", "lily@velari.com", "lily2026", "108296", false },
    { 1003, "laowang", "老王", "laowang@velari.com", "blocked2026", "108288", true },
};

constexpr qint64 kFirstOrganiser = 2001;
constexpr qint64 kFirstPerson = 3001;
constexpr qint64 kFirstEvent = 20000001;
constexpr qint64 kFirstAlbum = 40000001;
constexpr qint64 kFirstPhoto = 30000001;
constexpr qint64 kFirstOrder = 50000001;

// Inserts rows through one prepared statement.
class Inserter
{
public:
    Inserter(ServiceDatabase &database, const QString &table, const QStringList &columns)
        : m_query(database.connection())
    {
        m_query.prepare(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                                .arg(table, columns.join(QLatin1Char(',')),
                                     QStringList(columns.size(), QStringLiteral("?"))
                                             .join(QLatin1Char(','))));
    }
    bool operator()(const QVariantList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            m_query.bindValue(i, values.at(i));
        if (m_query.exec())
            return true;
        qWarning("velari-server: seeding: %s", qPrintable(m_query.lastError().text()));
        return false;
    }

private:
    QSqlQuery m_query;
};

struct SeededEvent
{
    qint64 id;
    QDateTime begin;
    QDateTime end;
    QString cityId;
};

class Seeder
{
public:
    Seeder(ServiceDatabase &database, const QDate &today)
        : m_db(database), m_today(today), m_random(20130501)
    {
    }

    bool run(const SeedData::Client &client)
    {
        m_db.setMetaValue(QStringLiteral("seeded_on"), m_today.toString(Qt::ISODate));
        return Inserter(m_db, "clients", { "client_id", "secret", "redirect_uri" })(
                       { client.id, client.secret, client.redirectUri })
                && seedLocs() && seedUsers() && seedEvents() && seedPhotos() && seedRelations()
                && seedOrders() && seedFollows();
    }

private:
    int pick(int bound) { return int(m_random.bounded(bound)); }
    QString pick(const QStringList &list) { return list.at(pick(int(list.size()))); }

    bool seedLocs()
    {
        Inserter insert(m_db, "locs", { "id", "parent", "name", "uid", "habitable", "lat", "lng",
                                        "position" });
        int position = 0;
        for (const City &city : cities()) {
            if (!insert({ city.id, "100000", QString::fromUtf8(city.name), city.uid, 1, city.lat,
                          city.lng, position++ }))
                return false;
            int index = 0;
            for (const District &district : city.districts) {
                if (!insert({ districtId(city, index++), city.id, QString::fromUtf8(district.name),
                              district.uid, 0, district.lat, district.lng, position++ }))
                    return false;
            }
        }
        return true;
    }

    static QString districtId(const City &city, int index)
    {
        return QLatin1String(city.id) + QString::number(index + 1).rightJustified(2, QLatin1Char('0'));
    }

    bool seedUsers()
    {
        Inserter insert(m_db, "users", { "id", "uid", "name", "email", "password_salt",
                                         "password_hash", "blocked", "signature", "description",
                                         "loc_id", "pinyin" });
        for (const Account &account : kAccounts) {
            const Passwords::Hash hash = Passwords::make(QString::fromUtf8(account.password));
            if (!insert({ account.id, account.uid, QString::fromUtf8(account.name), account.email,
                          hash.salt, hash.hash, account.blocked, QStringLiteral("周末去哪儿"),
                          QStringLiteral("喜欢音乐、电影和一切热闹的事。"), account.cityId,
                          account.uid }))
                return false;
        }
        qint64 id = kFirstOrganiser;
        for (const Organiser &organiser : kOrganisers) {
            if (!insert({ id++, organiser.uid, QString::fromUtf8(organiser.name), QVariant(),
                          QVariant(), QVariant(), false, QString::fromUtf8(organiser.signature),
                          QString::fromUtf8(organiser.name) + QStringLiteral("的官方账号。"),
                          cities().at(pick(int(cities().size()))).id, organiser.uid }))
                return false;
        }
        id = kFirstPerson;
        for (const auto &[surname, surnamePinyin] : kSurnames) {
            for (const auto &[given, givenPinyin] : kGivenNames) {
                const QString pinyin = QLatin1String(surnamePinyin) + QLatin1String(givenPinyin);
                if (!insert({ id, pinyin + QString::number(id % 100), QString::fromUtf8(surname)
                                      + QString::fromUtf8(given),
                              QVariant(), QVariant(), QVariant(), false,
                              pick(QStringList { "在路上", "爱看展", "音乐是生活的解药", "" }),
                              QString(), cities().at(pick(3)).id, pinyin }))
                    return false;
                ++id;
            }
        }
        m_lastPerson = id - 1;
        return true;
    }

    // Where an event falls, relative to the seeding day.
    void placeInTime(int slot, QDateTime *begin, QDateTime *end)
    {
        const QTime evening(18 + pick(3), pick(2) * 30);
        const QTime daytime(9 + pick(10), pick(4) * 15);
        auto oneDay = [&](const QDate &day, const QTime &at) {
            *begin = QDateTime(day, at);
            *end = begin->addSecs(3600 * (2 + pick(3)));
            if (end->date() != day)
                *end = QDateTime(day, QTime(23, 59, 59));
        };
        if (slot < 8) { // over already
            const QDate first = m_today.addDays(-1 - pick(30));
            *begin = QDateTime(first, daytime);
            *end = QDateTime(first.addDays(pick(3)), QTime(18, 0));
            if (*end <= *begin)
                *end = begin->addSecs(7200);
        } else if (slot < 23) {
            oneDay(m_today, slot % 2 ? evening : daytime);
            if (slot % 3 == 0) // on all day, so that today is never empty
                *end = QDateTime(m_today, QTime(23, 59, 59));
        } else if (slot < 33) {
            oneDay(m_today.addDays(1), slot % 2 ? evening : daytime);
        } else if (slot < 48) {
            oneDay(ServiceCalendar::weekendStart(m_today).addDays(slot % 2), daytime);
        } else if (slot < 65) { // over several days, often already running
            const QDate first = m_today.addDays(pick(14) - 7);
            *begin = QDateTime(first, QTime(10, 0));
            *end = QDateTime(first.addDays(2 + pick(40)), QTime(18, 0));
        } else {
            oneDay(m_today.addDays(2 + pick(58)), slot % 2 ? evening : daytime);
        }
    }

    QString title(const Category &category, const City &city)
    {
        return QString::fromUtf8(category.titles.at(pick(int(category.titles.size()))))
                .replace(QLatin1String("%1"), pick(kArtists))
                .replace(QLatin1String("%2"), pick(kBands))
                .replace(QLatin1String("%3"), pick(kThemes))
                .replace(QLatin1String("%4"), pick(kWorks))
                .replace(QLatin1String("%5"), pick(kPlaces))
                .replace(QLatin1String("%6"), QString::fromUtf8(city.name));
    }

    static QString content(qint64 id, const QString &title, const Category &category,
                           const QString &address, const Organiser &owner)
    {
        return QStringLiteral("<p><strong>%1</strong></p><p>%2</p><p>地点：%3</p>"
                              "<p>更多信息请访问<a href=\"http://www.velari.com/event/%4/\">活动主页</a>，"
                              "或关注主办方<a href=\"http://www.velari.com/people/%5/\">%6</a>。</p>")
                .arg(title.toHtmlEscaped(), QString::fromUtf8(category.lead),
                     address.toHtmlEscaped(), QString::number(id), QLatin1String(owner.uid),
                     QString::fromUtf8(owner.name));
    }

    bool seedEvents()
    {
        Inserter insert(m_db, "events",
                        { "id", "title", "content", "category", "loc_id", "district_id", "address",
                          "begin_time", "end_time", "owner_id", "lat", "lng", "album_id",
                          "wisher_base", "participant_base", "poster_style" });
        qint64 id = kFirstEvent;
        for (const City &city : cities()) {
            for (int i = 0; i < city.events; ++i, ++id) {
                // Every category and every kind of day early in each city's list.
                const Category &category = categories().at(
                        i < int(categories().size()) ? i : pick(int(categories().size())));
                const int slot = i < 20 ? (i * 5 + 3) % 100 : pick(100);
                QDateTime begin, end;
                placeInTime(slot, &begin, &end);
                const int districtIndex = pick(int(city.districts.size()));
                const District &district = city.districts.at(districtIndex);
                const int ownerIndex = pick(int(kOrganisers.size()));
                const QString eventTitle = title(category, city);
                const QString address = QString::fromUtf8(city.name)
                        + QString::fromUtf8(district.name) + pick(kStreets)
                        + QString::number(1 + pick(300)) + QStringLiteral("号 ") + pick(kVenues);
                const double u = m_random.generateDouble();
                const int wishers = int(u * u * 3000);
                const int participants = int(wishers * (0.2 + 0.4 * m_random.generateDouble()));
                if (!insert({ id, eventTitle,
                              content(id, eventTitle, category, address, kOrganisers.at(ownerIndex)),
                              category.code, city.id, districtId(city, districtIndex), address,
                              ServiceCalendar::text(begin), ServiceCalendar::text(end),
                              kFirstOrganiser + ownerIndex,
                              district.lat + (m_random.generateDouble() - 0.5) * 0.03,
                              district.lng + (m_random.generateDouble() - 0.5) * 0.03,
                              kFirstAlbum + (id - kFirstEvent), wishers, participants,
                              int(m_random.bounded(1 << 20)) }))
                    return false;
                m_events.push_back({ id, begin, end, QLatin1String(city.id) });
            }
        }
        return true;
    }

    bool seedPhotos()
    {
        Inserter insert(m_db, "photos", { "id", "album_id", "author_id", "description", "created",
                                          "width", "height", "recs_count", "liked_count",
                                          "comments_count" });
        qint64 id = kFirstPhoto;
        for (const SeededEvent &event : m_events) {
            // Events that have begun have photos more often.
            const bool begun = event.begin.date() <= m_today;
            if (pick(100) >= (begun ? 70 : 20))
                continue;
            const int count = 1 + pick(12);
            for (int i = 0; i < count; ++i) {
                const bool landscape = pick(3) != 0;
                const QDateTime created = begun ? event.begin.addSecs(600 * (i + 1))
                                                : QDateTime(m_today.addDays(-pick(20)), QTime(12, 0));
                if (!insert({ id++, kFirstAlbum + (event.id - kFirstEvent),
                              kFirstPerson + pick(int(m_lastPerson - kFirstPerson + 1)),
                              pick(kCaptions), ServiceCalendar::text(created),
                              landscape ? 1200 : 900, landscape ? 900 : 1200, pick(40), pick(120),
                              pick(30) }))
                    return false;
            }
        }
        return true;
    }

    // Events of a city that have not ended, one-day or over several days.
    std::vector<SeededEvent> upcoming(const QString &cityId, bool severalDays) const
    {
        std::vector<SeededEvent> found;
        const QDateTime now = QDateTime::currentDateTime();
        for (const SeededEvent &event : m_events) {
            const bool spans = event.begin.date() != event.end.addSecs(-1).date();
            if (event.cityId == cityId && event.end > now && spans == severalDays)
                found.push_back(event);
        }
        return found;
    }

    bool seedRelations()
    {
        Inserter insert(m_db, "relations",
                        { "user_id", "event_id", "status", "participate_date", "updated" });
        const QString updated = ServiceCalendar::text(QDateTime::currentDateTime());
        for (const Account &account : kAccounts) {
            const std::vector<SeededEvent> oneDay = upcoming(QLatin1String(account.cityId), false);
            const std::vector<SeededEvent> spanning = upcoming(QLatin1String(account.cityId), true);
            // Wishes, then participations on their day, then one over several days on a chosen day.
            for (size_t i = 0; i < 8 && i < oneDay.size(); ++i) {
                if (!insert({ account.id, oneDay.at(i * 2 % oneDay.size()).id, "wish", QVariant(),
                              updated }))
                    return false;
            }
            for (size_t i = 0; i < 4 && 2 * i + 1 < oneDay.size(); ++i) {
                const SeededEvent &event = oneDay.at(2 * i + 1);
                if (!insert({ account.id, event.id, "participate",
                              event.begin.date().toString(Qt::ISODate), updated }))
                    return false;
                m_participations.push_back({ account.id, event.id });
            }
            if (!spanning.empty()) {
                const SeededEvent &event = spanning.front();
                const QDate day = std::max(event.begin.date(), m_today).addDays(1);
                if (!insert({ account.id, event.id, "participate",
                              std::min(day, event.end.date()).toString(Qt::ISODate), updated }))
                    return false;
                m_participations.push_back({ account.id, event.id });
            }
        }
        return true;
    }

    bool seedOrders()
    {
        Inserter insert(m_db, "orders",
                        { "id", "user_id", "event_id", "status", "kind_name", "name", "price",
                          "original_price", "num", "code", "phone", "begin_time", "end_time" });
        const QStringList kinds = { "普通票", "VIP票", "学生票", "早鸟票" };
        qint64 id = kFirstOrder;
        for (size_t i = 0; i < m_participations.size(); ++i) {
            if (i % 5 == 4)
                continue; // not every participation was bought
            const auto &[userId, eventId] = m_participations.at(i);
            QSqlQuery event = m_db.run(
                    QStringLiteral("SELECT title, begin_time, end_time FROM events WHERE id = ?"),
                    { eventId });
            if (!event.next())
                return false;
            const double price = 40 + 20 * pick(15);
            const QString kind = kinds.at(int(i % kinds.size()));
            if (!insert({ id++, userId, eventId, 1, kind,
                          event.value(0).toString() + QLatin1Char(' ') + kind, price,
                          price * 1.25, 1 + pick(3),
                          QString::number(1000000000LL + m_random.bounded(8999999999LL)),
                          QStringLiteral("138****%1").arg(1000 + pick(9000)), event.value(1),
                          event.value(2) }))
                return false;
        }
        return true;
    }

    bool seedFollows()
    {
        Inserter insert(m_db, "follows", { "follower_id", "followee_id" });
        const qint64 people = m_lastPerson - kFirstPerson + 1;
        const int followed[] = { 30, 12, 3 };
        int index = 0;
        for (const Account &account : kAccounts) {
            for (int i = 0; i < followed[index] && i < people; ++i) {
                if (!insert({ account.id, kFirstPerson + (i * 7 + index) % people }))
                    return false;
            }
            for (int i = 0; i < 4; ++i) {
                if (!insert({ account.id, kFirstOrganiser + (i + index) % qint64(kOrganisers.size()) }))
                    return false;
            }
            ++index;
        }
        // People follow the first account back, so it has followers too.
        for (qint64 i = 0; i < people; i += 3) {
            if (!insert({ kFirstPerson + i, kAccounts[0].id }))
                return false;
        }
        return true;
    }

    ServiceDatabase &m_db;
    QDate m_today;
    QRandomGenerator m_random;
    qint64 m_lastPerson = kFirstPerson;
    std::vector<SeededEvent> m_events;
    std::vector<std::pair<qint64, qint64>> m_participations;
};

} // namespace

bool SeedData::seed(ServiceDatabase &database, const QDate &today, const Client &client)
{
    if (!database.transaction())
        return false;
    if (!Seeder(database, today).run(client)) {
        database.connection().rollback();
        return false;
    }
    return database.commit();
}
