#include "LocalizedStrings.h"

#include <QHash>

namespace {

struct Texts
{
    const char *chinese;
    const char *english;
};

const QHash<QByteArray, Texts> &table()
{
    static const QHash<QByteArray, Texts> texts = {
        { "lsAbandon", { "不选日期", "Skip" } },
        { "lsAboutTitle", { "关于", "About" } },
        { "lsAboutUs", { "关于我们", "About Us" } },
        { "lsAddInvitedPerson", { "添加好友", "Add Friends" } },
        { "lsAddToPassbook", { "添加到卡包", "Add to Wallet" } },
        { "lsAddress", { "地点", "Place" } },
        { "lsAfterExpiredTime", { "后结束", "left" } },
        { "lsAfterTomorrow", { "后天", "Day after tomorrow" } },
        { "lsAllCategory", { "全部类型", "All Categories" } },
        { "lsAllDistrict", { "全部区域", "All Districts" } },
        { "lsAllEvents", { "全部活动", "All Events" } },
        { "lsAllTime", { "全部时间", "Any Time" } },
        { "lsAllreadyAddToPassbook", { "已添加到卡包", "Added to Wallet" } },
        { "lsAppName", { "Velari 同城活动", "Velari Events" } },
        { "lsAppSlogan", { "发现身边的好活动\n和朋友一起去", "Find great events near you\nand go with friends" } },
        { "lsAppStoreReview", { "去评分", "Rate Us" } },
        { "lsAskAppStoreReview", { "喜欢 Velari 吗？给我们打个分吧！", "Enjoying Velari? Please rate us!" } },
        { "lsAuthPage", { "授权", "Authorize" } },
        { "lsAuthentification", { "分享绑定", "Linked Accounts" } },
        { "lsAuthentified", { "已绑定", "Linked" } },
        { "lsBrowseTab", { "浏览", "Browse" } },
        { "lsCLErrorDenied", { "请在系统设置中允许 Velari 使用定位", "Allow Velari to use your location in the system settings" } },
        { "lsCLErrorNetwork", { "网络不可用，无法定位", "No network: your position cannot be found" } },
        { "lsCLErrorUnknowLocation", { "暂时无法确定你的位置", "Your position cannot be found right now" } },
        { "lsCalendarChangeDate", { "修改参加日期", "Change Your Day" } },
        { "lsCalendarChooseDate", { "选择参加日期", "Choose Your Day" } },
        { "lsCancel", { "取消", "Cancel" } },
        { "lsCategory", { "类型", "Category" } },
        { "lsChangeDate", { "修改日期", "Change Day" } },
        { "lsChooseCityTitle", { "选择城市", "Choose City" } },
        { "lsClearInvitedPerson", { "清除好友", "Remove Friends" } },
        { "lsCode", { "取票码", "Ticket Code" } },
        { "lsCommonwealCategory", { "公益", "Charity" } },
        { "lsConfirm", { "确定", "OK" } },
        { "lsConnectionFailureError", { "网络连接失败，请稍后再试", "Connection failed. Please try again later." } },
        { "lsCurrently", { "正在进行", "On now" } },
        { "lsDay", { "天", "days" } },
        { "lsDefaultCurrentCity", { "北京", "Beijing" } },
        { "lsDeleteParticipate", { "不去了", "Not Going" } },
        { "lsDramaCategory", { "戏剧/曲艺", "Theatre" } },
        { "lsEnableNofification", { "在系统设置中打开通知", "Turn on notifications in the system settings" } },
        { "lsEventContent", { "活动详情", "Details" } },
        { "lsEventCount", { "个新活动", "new events" } },
        { "lsEventDateNoAvailable", { "这一天没有活动，请另选日期", "The event is not on that day. Please pick another." } },
        { "lsEventDetailTitle", { "活动详情", "Event" } },
        { "lsEventMap", { "活动地图", "Map" } },
        { "lsEventOver", { "已结束", "Over" } },
        { "lsEventPhoto", { "活动照片", "Photos" } },
        { "lsEventsParticipants", { "人参加", "going" } },
        { "lsEventsWishers", { "人感兴趣", "interested" } },
        { "lsExhibitionCategory", { "展览", "Exhibitions" } },
        { "lsExpired", { "已过期", "Expired" } },
        { "lsExpiredTime", { "结束", "ends" } },
        { "lsFeedback", { "意见反馈", "Feedback" } },
        { "lsFilmCategory", { "电影", "Film" } },
        { "lsFollow", { "关注", "Follow" } },
        { "lsGuessStr", { "猜你喜欢", "For You" } },
        { "lsHasEnd", { "已结束", "Ended" } },
        { "lsHasExpired", { "已结束", "Ended" } },
        { "lsHotEventsTab", { "热门", "Hot" } },
        { "lsHotStr", { "热门", "Hot" } },
        { "lsHttpError", { "网络请求失败，请稍后再试", "The request failed. Please try again later." } },
        { "lsImmediately", { "即将开始", "Starting soon" } },
        { "lsInvitePerson", { "邀请好友", "Invite Friends" } },
        { "lsIsFinished", { "已结束", "Over" } },
        { "lsIsToday", { "今天", "Today" } },
        { "lsIsTomorrow", { "明天", "Tomorrow" } },
        { "lsIsWeekend", { "本周末", "This weekend" } },
        { "lsLoading", { "加载中…", "Loading…" } },
        { "lsLocaleErrorLoginFailTitle", { "登录失败", "Login Failed" } },
        { "lsLocaleErrorLoginNeedEmailOrPhone", { "请输入正确的邮箱或手机号", "Enter a valid e-mail address or phone number" } },
        { "lsLocaleErrorLoginNoPassword", { "请输入密码", "Enter your password" } },
        { "lsLocaleErrorLoginPasswordInvalid", { "密码至少 4 位", "The password has at least 4 characters" } },
        { "lsLocalePromptLogining", { "正在登录…", "Logging in…" } },
        { "lsLocaleSending", { "正在发送…", "Sending…" } },
        { "lsLocaleSharing", { "正在分享…", "Sharing…" } },
        { "lsLogout", { "退出登录", "Log Out" } },
        { "lsMonth", { "个月", "months" } },
        { "lsMusicCategory", { "音乐/演出", "Music" } },
        { "lsMyEvents", { "我的活动", "My Events" } },
        { "lsMyEventsTab", { "我的", "Mine" } },
        { "lsNearby", { "附近", "Nearby" } },
        { "lsNoData", { "暂无活动", "No events" } },
        { "lsNoDataError", { "加载失败", "Could not load" } },
        { "lsNoGuessData", { "还没有为你推荐的活动，先去标记几个感兴趣的吧", "Nothing for you yet. Mark a few events you like first." } },
        { "lsNoSupportPassbook", { "此设备不支持卡包", "No wallet on this device" } },
        { "lsNoTicket", { "还没有门票", "No tickets yet" } },
        { "lsNotAnyMore", { "不再提醒", "Don't Ask Again" } },
        { "lsNotification", { "活动提醒", "Reminders" } },
        { "lsNotificationFrequencyTitle", { "提醒时间", "Remind Me" } },
        { "lsNotificationHelp", { "在你参加的活动开始前提醒你", "We remind you before the events you go to" } },
        { "lsNotifyNone", { "不提醒", "Never" } },
        { "lsNotifyOneDayBefore", { "提前一天", "One day before" } },
        { "lsNotifyToday", { "当天", "On the day" } },
        { "lsNotifyTwoDaysBefore", { "提前两天", "Two days before" } },
        { "lsOAuthError", { "登录验证失败", "Sign-in failed" } },
        { "lsOAuthErrorInvalidRequestUri", { "应用授权地址无效", "Invalid authorization address" } },
        { "lsOAuthErrorInvalidUser", { "用户不存在", "No such user" } },
        { "lsOAuthErrorUserHasBlocked", { "该账号已被封禁", "This account is blocked" } },
        { "lsOAuthErrorUsernamePasswordMismatch", { "用户名或密码错误", "Wrong user name or password" } },
        { "lsOpenAppStore", { "去应用商店", "Open Store" } },
        { "lsOpenAppleMap", { "用地图导航", "Directions in Maps" } },
        { "lsOpenGoogleMap", { "用谷歌地图导航", "Directions in Google Maps" } },
        { "lsOpenPassbook", { "在卡包中查看", "Show in Wallet" } },
        { "lsOtherCategory", { "其他", "Other" } },
        { "lsOtherError", { "出错了，请稍后再试", "Something went wrong. Please try again later." } },
        { "lsParticipantEvents", { "我参加的", "Going" } },
        { "lsParticipate", { "我要参加", "Go" } },
        { "lsParticipateDateLabel", { "参加", "Going" } },
        { "lsParticipatedNumber", { "参加人数", "Going" } },
        { "lsPartyCategory", { "生活/聚会", "Parties" } },
        { "lsPhone", { "手机号", "Phone" } },
        { "lsPhotoAbsenceTip", { "还没有照片，来上传第一张吧", "No photos yet. Add the first one!" } },
        { "lsPictureTitle", { "活动海报", "Poster" } },
        { "lsPostFeedbackSuccess", { "谢谢你的反馈", "Thanks for your feedback" } },
        { "lsPostPhoto", { "上传照片", "Add Photo" } },
        { "lsPostPhotoForParticipateError", { "参加活动后才能上传照片", "Join the event to add photos" } },
        { "lsPostPhotoSuccess", { "照片已上传", "Photo added" } },
        { "lsPostReChooseImage", { "重新选择", "Choose Another" } },
        { "lsPostRetakeImage", { "重新拍摄", "Retake" } },
        { "lsPostShareSuccess", { "分享成功", "Shared" } },
        { "lsPostViewImage", { "查看大图", "View Picture" } },
        { "lsPrice", { "票价", "Price" } },
        { "lsPullDownToRefresh", { "下拉刷新", "Pull down to refresh" } },
        { "lsRegister", { "注册", "Sign Up" } },
        { "lsReleaseToRefresh", { "松开刷新", "Release to refresh" } },
        { "lsRequestTimedOutError", { "请求超时，请稍后再试", "The request timed out. Please try again later." } },
        { "lsSalonCategory", { "讲座/沙龙", "Talks" } },
        { "lsScene", { "场次", "Session" } },
        { "lsSearchBarCityText", { "输入城市名或拼音", "City name" } },
        { "lsSearchBarEventText", { "搜索活动", "Search events" } },
        { "lsSearchEventTitle", { "搜索", "Search" } },
        { "lsSentFail", { "发送失败", "Not sent" } },
        { "lsSentSuccess", { "已发送", "Sent" } },
        { "lsSettingsTitle", { "设置", "Settings" } },
        { "lsShareByMail", { "邮件", "Mail" } },
        { "lsShareBySMS", { "短信", "Message" } },
        { "lsShareBySina", { "新浪微博", "Sina Weibo" } },
        { "lsShareByVelari", { "Velari 广播", "Velari" } },
        { "lsShareByWeixin", { "微信", "WeChat" } },
        { "lsShareToSina", { "分享到新浪微博", "Share to Sina Weibo" } },
        { "lsShareToSinaSameTime", { "同时分享到新浪微博", "Also share to Sina Weibo" } },
        { "lsShareToVelari", { "分享到 Velari", "Share on Velari" } },
        { "lsShareToWeixin", { "分享到微信", "Share to WeChat" } },
        { "lsSharingTitle", { "分享活动", "Share Event" } },
        { "lsSinaWeibo", { "新浪微博", "Sina Weibo" } },
        { "lsSinaweiboKeyExpired", { "新浪微博授权已过期，请重新绑定", "Your Sina Weibo link has expired. Please link it again." } },
        { "lsSponsor", { "主办方", "Organiser" } },
        { "lsSportCategory", { "体育", "Sports" } },
        { "lsStartTime", { "开始时间", "Starts" } },
        { "lsSuccessChangeNotificationType", { "提醒时间已修改", "Reminder changed" } },
        { "lsThisWeek", { "本周", "This Week" } },
        { "lsTicketTitle", { "门票", "Ticket" } },
        { "lsTicketType", { "票种", "Ticket" } },
        { "lsTickts", { "门票", "Tickets" } },
        { "lsTime", { "时间", "Time" } },
        { "lsTitle", { "活动", "Event" } },
        { "lsToday", { "今天", "Today" } },
        { "lsTogetherText", { "一起去吧！", "Let's go together!" } },
        { "lsTomorrow", { "明天", "Tomorrow" } },
        { "lsTravelCategory", { "旅行", "Travel" } },
        { "lsTryAgain", { "重试", "Try Again" } },
        { "lsUnAuthentifyConfirm", { "确定解除与新浪微博的绑定吗？", "Unlink Sina Weibo?" } },
        { "lsUnauthentified", { "未绑定", "Not linked" } },
        { "lsUnfollow", { "取消关注", "Unfollow" } },
        { "lsUnknowError", { "未知错误", "Unknown error" } },
        { "lsUnknownParicipateDate", { "日期未定", "Day not set" } },
        { "lsUsername", { "用户名", "User" } },
        { "lsView", { "查看", "View" } },
        { "lsWebExternPage", { "网页", "Web Page" } },
        { "lsWeekend", { "周末", "Weekend" } },
        { "lsWeekendStr", { "周末", "Weekend" } },
        { "lsWish", { "感兴趣", "Interested" } },
        { "lsWishingEvents", { "我感兴趣的", "Interested" } },
    };
    return texts;
}

} // namespace

QString LocalizedStrings::languageFor(const QLocale &locale)
{
    return locale.language() == QLocale::English ? QStringLiteral("en") : QStringLiteral("zh");
}

QString LocalizedStrings::text(const char *key)
{
    return text(key, languageFor(QLocale()));
}

QString LocalizedStrings::text(const char *key, const QString &language)
{
    const auto it = table().constFind(QByteArray(key));
    if (it == table().cend())
        return QString::fromUtf8(key);
    return QString::fromUtf8(language == QLatin1String("en") ? it->english : it->chinese);
}

QList<QByteArray> LocalizedStrings::keys()
{
    return table().keys();
}
