#include "VELSkin.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

std::optional<QColor> VELSkin::colorWithKey(const QString &key) const
{
    const auto it = m_colorsDic.constFind(key);
    if (it == m_colorsDic.cend())
        return std::nullopt;
    return *it;
}

std::optional<QFont> VELSkin::fontWithKey(const QString &key) const
{
    const auto it = m_fontsDic.constFind(key);
    if (it == m_fontsDic.cend())
        return std::nullopt;
    return *it;
}

QImage VELSkin::imageWithKey(const QString &key)
{
    if (!m_imagesCache)
        m_imagesCache.emplace();
    const QString file = m_imagesDic.value(key);
    if (file.isEmpty())
        return QImage();
    if (const auto held = m_imagesCache->constFind(file); held != m_imagesCache->cend())
        return *held;
    // The pictures are drawn as SVG; "name.png" is ":/skin/name.svg".
    QString source = QStringLiteral(":/skin/") + file;
    source.replace(QLatin1String(".png"), QLatin1String(".svg"));
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QImage();
    qreal ratio = m_devicePixelRatio;
    if (ratio <= 0) {
        const auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
        ratio = app && app->primaryScreen() ? std::max<qreal>(2, app->primaryScreen()->devicePixelRatio())
                                            : 2;
    }
    const QSize points = renderer.defaultSize();
    QImage image(points * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    m_imagesCache->insert(file, image);
    return image;
}

void VELSkin::didReceiveMemoryWarning()
{
    m_imagesCache.reset();
}

namespace {

QColor rgba(int red, int green, int blue, qreal alpha)
{
    QColor colour(red, green, blue);
    colour.setAlphaF(float(alpha));
    return colour;
}

// The faces are named as on the phone; the system substitutes what it has (and a CJK face for
// Chinese text).
QFont face(const char *name, int points)
{
    const QString spec = QString::fromLatin1(name);
    QFont font(spec.startsWith(QLatin1String("HelveticaNeue")) ? QStringLiteral("Helvetica Neue")
                                                               : QStringLiteral("Helvetica"));
    font.setPixelSize(points);
    font.setBold(spec.contains(QLatin1String("Bold")));
    if (spec.contains(QLatin1String("Condensed")))
        font.setStretch(QFont::Condensed);
    return font;
}

} // namespace

VELDefaultSkin::VELDefaultSkin()
{
    m_colorsDic = {
        { QStringLiteral("ColorClearKey"), QColor(0, 0, 0, 0) },
        { QStringLiteral("ColorShadowKey"), rgba(0, 0, 0, 0.2) },
        { QStringLiteral("ColorWhiteKey"), rgba(255, 255, 255, 1) },
        { QStringLiteral("ColorBlackKey"), rgba(0, 0, 0, 1) },
        { QStringLiteral("ColorGray_34_Key"), rgba(34, 34, 34, 1) },
        { QStringLiteral("ColorGray_51_Key"), rgba(51, 51, 51, 1) },
        { QStringLiteral("ColorGray_70_Key"), rgba(70, 70, 70, 1) },
        { QStringLiteral("ColorGrey_102_key"), rgba(102, 102, 102, 1) },
        { QStringLiteral("ColorGrey_111_key"), rgba(111, 111, 111, 1) },
        { QStringLiteral("ColorGray_170_Key"), rgba(170, 170, 170, 1) },
        { QStringLiteral("ColorGray_238_key"), rgba(238, 238, 238, 1) },
        { QStringLiteral("ColorGray_243_Key"), rgba(243, 243, 243, 1) },
        { QStringLiteral("ColorHighlightKey"), rgba(200, 95, 75, 1) },
        { QStringLiteral("ColorDefaultHightLightKey"), rgba(170, 170, 170, 0.8) },
        { QStringLiteral("ColorEventHotCountKey"), rgba(221, 96, 58, 1) },
        { QStringLiteral("ColorBGCalendarViewKey"), rgba(220, 227, 228, 1) },
        { QStringLiteral("ColorCalendarDayKey"), rgba(250, 241, 239, 1) },
        { QStringLiteral("ColorCalendarMonthKey"), rgba(114, 69, 58, 1) },
        { QStringLiteral("kColorTicketNumberKey"), rgba(146, 174, 102, 1) },
        { QStringLiteral("ColorBGEventCellKey"), rgba(207, 223, 229, 1) },
        { QStringLiteral("kColorBGSettingAuthStatusKey"), rgba(85, 160, 105, 1) },
    };
    m_imagesDic = {
        { kImageNoDataErrorKey, QStringLiteral("pic_error.png") },
        { kImageHolderKey, QStringLiteral("picholder.png") },
        { kImageHolderSquareKey, QStringLiteral("picholder_square.png") },
        { kImageHolderHugeKey, QStringLiteral("picholder_huge.png") },
        { kImageListViewFooterKey, QStringLiteral("list_foot.png") },
        { kImageBGLoadResultKey, QStringLiteral("pop.png") },
        { kImageListSeparatorKey, QStringLiteral("list_separator.png") },
        { kImageBGHotEventKey, QStringLiteral("bg_hot.png") },
        { kImageZoomIconKey, QStringLiteral("icon_zoomin.png") },
        { kImageExpiredTipKey, QStringLiteral("label_hot.png") },
        { kImageTimeIconKey, QStringLiteral("icon_date.png") },
        { kImageAddressIconKey, QStringLiteral("icon_spot.png") },
        { kImageCategoryIconKey, QStringLiteral("icon_catalog.png") },
        { kImageTimeDetailIconKey, QStringLiteral("icon_date_blue.png") },
        { kImageAddressDetailIconKey, QStringLiteral("icon_spot_blue.png") },
        { kImageSponsorDetailIconKey, QStringLiteral("icon_sponsor_blue.png") },
        { kImageCategoryDetailIconKey, QStringLiteral("icon_catalog_blue.png") },
        { kImageArrowGreyKey, QStringLiteral("icon_arrow_grey.png") },
        { kImageBGEventFontGalleryKey, QStringLiteral("bg_spec_null.png") },
        { kImageCheckActivatedIconKey, QStringLiteral("icon_select.png") },
        { kImageBGEventButtonKey, QStringLiteral("btn_spec.png") },
        { kImageWishIconKey, QStringLiteral("icon_like.png") },
        { kImageWishActivatedIconKey, QStringLiteral("icon_like_activated.png") },
        { kImageParticipateIconKey, QStringLiteral("icon_join.png") },
        { kImageParticipateActivatedIconKey, QStringLiteral("icon_join_activated.png") },
        { kImageEventBigImageMaskKey, QStringLiteral("space_hot.png") },
        { kImageEventWishedStampKey, QStringLiteral("stamp_like.png") },
        { kImageEventParticipatedStampKey, QStringLiteral("stamp_join.png") },
        { kImageBGAddpicButtonKey, QStringLiteral("btn_addpic.png") },
        { kImageBGMapButtonKey, QStringLiteral("bg_map.png") },
        { kImageEventOverKey, QStringLiteral("label_over.png") },
        { kImageCalendarArrowKey, QStringLiteral("bg_cal_arrow.png") },
        { kImageButtonCancelKey, QStringLiteral("btn_cal_cancel.png") },
        { kImageCheckActiviatedKey, QStringLiteral("checkbox_activiated.png") },
        { kImageCheckDisableKey, QStringLiteral("checkbox_default.png") },
        { kImageShareSinaActiviatedKey, QStringLiteral("share_sina_activiated.png") },
        { kImageShareSinaDisableKey, QStringLiteral("share_sina_disable.png") },
        { kImagePostAlbumDefaultKey, QStringLiteral("icon_album_default.png") },
        { kImageBGPostSmallKey, QStringLiteral("bg_share_small.png") },
        { kImageBGPostLargeKey, QStringLiteral("bg_share_large.png") },
        { kImageBGPostUploadKey, QStringLiteral("bg_upload.png") },
        { kImageBGInviteButtonKey, QStringLiteral("btn_invite.png") },
        { kImageBGEventListKey, QStringLiteral("bg_eventlistcell.png") },
        { kImageBGBottomEventListKey, QStringLiteral("bg_bottomlistcell.png") },
        { kImageBGButtonSCKey, QStringLiteral("btn_sc.png") },
        { kImageEventParticipateDateKey, QStringLiteral("icon_attend_date.png") },
        { kImageEventExpiredParticipateDateKey, QStringLiteral("icon_expired_date.png") },
        { kImageOverEventBarKey, QStringLiteral("overbar.png") },
        { kImageBGLogoButtonKey, QStringLiteral("btn_logo.png") },
        { kImageBGSettingsKey, QStringLiteral("bg.png") },
        { kImageBGSettingsButtonKey, QStringLiteral("btn_settings.png") },
        { kImageBGSettingsSeparatorKey, QStringLiteral("line_settings.png") },
        { kImageNotiErrorSettingsKey, QStringLiteral("noti_error.png") },
        { kImageBGNavbarKey, QStringLiteral("navbar.png") },
        { kImageBGNavbarCityButtonKey, QStringLiteral("btn_city.png") },
        { kImageNavbarArrowKey, QStringLiteral("arrow.png") },
        { kImageNavbarBackButtonKey, QStringLiteral("btn_nav_back.png") },
        { kImageNavbarCancelButtonKey, QStringLiteral("btn_cancel.png") },
        { kImageNavbarSearchButtonKey, QStringLiteral("btn_nav_search.png") },
        { kImageNavbarRefreshButtonKey, QStringLiteral("btn_nav_refresh.png") },
        { kImageNavbarDirectionButtonKey, QStringLiteral("btn_nav_direction.png") },
        { kImageNavbarSettingButtonKey, QStringLiteral("btn_nav_setting.png") },
        { kImageNavbarShareButtonKey, QStringLiteral("btn_nav_share.png") },
        { kImageNavbarPostButtonKey, QStringLiteral("btn_nav_post.png") },
        { kImageSegmentedDiverKey, QStringLiteral("nav_btn_diver.png") },
        { kImageSegmentedButtonKey, QStringLiteral("nav_btn_default_left.png") },
        { kImageSegmentedButtonPressKey, QStringLiteral("nav_btn_press_left.png") },
        { kImageSegmentedButtonCenterKey, QStringLiteral("nav_btn_default_center.png") },
        { kImageSegmentedButtonCenterPressKey, QStringLiteral("nav_btn_press_center.png") },
        { kImageSegmentedButtonRightKey, QStringLiteral("nav_btn_default_right.png") },
        { kImageSegmentedButtonRightPressKey, QStringLiteral("nav_btn_press_right.png") },
        { kImagePicholderProfileKey, QStringLiteral("picholder_profile.png") },
        { kImageBGFollowButtonKey, QStringLiteral("btn_sc.png") },
        { kImageBGUnfollowButtonKey, QStringLiteral("btn_unfollow.png") },
        { kImageInviteFollowingSeparatorKey, QStringLiteral("board_invite.png") },
        { kImageBGFollowingButtonKey, QStringLiteral("btn_choose_invite.png") },
        { kImageBGFollowingSelectedButtonKey, QStringLiteral("btn_choose_invite_active.png") },
        { kImageTabbarHotKey, QStringLiteral("icon_tab_hot.png") },
        { kImageTabbarCategoryKey, QStringLiteral("icon_tab_category.png") },
        { kImageTabbarMyEventKey, QStringLiteral("icon_tab_my.png") },
    };
    m_fontsDic = {
        { QStringLiteral("FontVerySmallKey"), face("Helvetica", 10) },
        { QStringLiteral("FontVerySmallBoldKey"), face("Helvetica-Bold", 10) },
        { QStringLiteral("FontSmallKey"), face("Helvetica", 12) },
        { QStringLiteral("FontSmallBoldKey"), face("Helvetica-Bold", 12) },
        { QStringLiteral("FontNormalKey"), face("Helvetica", 14) },
        { QStringLiteral("FontNormalBoldKey"), face("Helvetica-Bold", 14) },
        { QStringLiteral("FontNormalLargeKey"), face("Helvetica", 16) },
        { QStringLiteral("FontLargeBoldKey"), face("Helvetica-Bold", 17) },
        { QStringLiteral("FontMostLargeBoldKey"), face("Helvetica-Bold", 20) },
        { QStringLiteral("FontNeueVerySmallBoldKey"), face("HelveticaNeue-CondensedBold", 10) },
        { QStringLiteral("FontNeueNormalBoldKey"), face("HelveticaNeue-CondensedBold", 14) },
        { QStringLiteral("FontNeueLargeBoldKey"), face("HelveticaNeue-CondensedBold", 16) },
    };
}
