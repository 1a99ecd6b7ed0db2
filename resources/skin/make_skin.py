#!/usr/bin/env python3
"""Draws the theme's pictures as SVG files in this directory (the committed artwork).

Run it again after changing a drawing: python3 resources/skin/make_skin.py
Sizes are in points; the application renders each SVG at the screen's pixel density.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ACCENT = "#c85f4b"      # the highlight colour of the theme
ACCENT_DARK = "#a8452f"
BLUE = "#3a86b5"
INK = "#333333"
GREY = "#8a8a8a"
LIGHT = "#eeeeee"
FONT = "WenQuanYi Micro Hei, Helvetica, sans-serif"


# Pictures kept under another name on disk; the theme knows them by the name on the right.
DISK_NAMES = {"bg_spec_null.png": "bg_gallery_null.png", "btn_spec.png": "btn_event_bar.png"}


def svg(name, w, h, body, defs=""):
    name = DISK_NAMES.get(name, name)
    text = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n')
    if defs:
        text += f"<defs>{defs}</defs>\n"
    text += body + "\n</svg>\n"
    with open(os.path.join(HERE, name.replace(".png", ".svg")), "w", encoding="utf-8") as out:
        out.write(text)


def grad(gid, top, bottom, vertical=True):
    x2, y2 = ("0", "1") if vertical else ("1", "0")
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="{y2}">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            f'</linearGradient>')


def button(name, w, h, top, bottom, radius=4, border=None):
    stroke = f' stroke="{border}" stroke-width="1"' if border else ""
    svg(name, w, h,
        f'<rect x="0.5" y="0.5" width="{w-1}" height="{h-1}" rx="{radius}" fill="url(#g)"{stroke}/>'
        f'<rect x="1.5" y="1.5" width="{w-3}" height="{h/2-1}" rx="{radius-1}" fill="#ffffff" opacity="0.12"/>',
        grad("g", top, bottom))


def glyph(name, size, body, colour="#ffffff", stroke=2.0):
    svg(name, size, size,
        f'<g fill="none" stroke="{colour}" stroke-width="{stroke}" stroke-linecap="round" '
        f'stroke-linejoin="round">{body}</g>')


def card(name, w, h, radius=4):
    svg(name, w, h,
        f'<rect x="1" y="2" width="{w-2}" height="{h-3}" rx="{radius}" fill="#000000" opacity="0.08"/>'
        f'<rect x="0.5" y="0.5" width="{w-1}" height="{h-2}" rx="{radius}" fill="#ffffff" stroke="#dedede"/>')


def panel(name, w, h):
    svg(name, w, h,
        f'<rect x="0.5" y="0.5" width="{w-1}" height="{h-1}" rx="5" fill="#ffffff" stroke="#d4d4d4"/>'
        f'<rect x="1.5" y="1.5" width="{w-3}" height="4" rx="3" fill="#000000" opacity="0.04"/>')


def picture_placeholder(name, w, h, icon=True):
    s = min(w, h) * 0.36
    cx, cy = w / 2, h / 2
    body = f'<rect width="{w}" height="{h}" fill="#e9e9e9"/>'
    if icon:
        body += (f'<g transform="translate({cx - s/2},{cy - s*0.4})" fill="#c9c9c9">'
                 f'<rect width="{s}" height="{s*0.8}" rx="{s*0.08}"/>'
                 f'<circle cx="{s*0.3}" cy="{s*0.28}" r="{s*0.1}" fill="#e9e9e9"/>'
                 f'<path d="M{s*0.08} {s*0.7} L{s*0.38} {s*0.4} L{s*0.58} {s*0.58} L{s*0.72} {s*0.46} '
                 f'L{s*0.92} {s*0.7} Z" fill="#e9e9e9"/></g>')
    svg(name, w, h, body)


def stamp(name, word, colour):
    svg(name, 64, 64,
        f'<g transform="rotate(-15 32 32)" fill="none" stroke="{colour}" opacity="0.9">'
        f'<circle cx="32" cy="32" r="29" stroke-width="3"/><circle cx="32" cy="32" r="23" stroke-width="1"/></g>'
        f'<text x="32" y="39" text-anchor="middle" font-family="{FONT}" font-size="17" font-weight="bold" '
        f'fill="{colour}" transform="rotate(-15 32 32)">{word}</text>')


def heart(filled, colour):
    path = "M12 20 C4 14 2 10 2 7 A5 5 0 0 1 12 5 A5 5 0 0 1 22 7 C22 10 20 14 12 20 Z"
    fill = colour if filled else "none"
    return f'<path d="{path}" fill="{fill}" stroke="{colour}" stroke-width="1.8" stroke-linejoin="round"/>'


def person_flag(filled, colour):
    fill = colour if filled else "none"
    return (f'<g stroke="{colour}" stroke-width="1.8" fill="{fill}" stroke-linejoin="round" stroke-linecap="round">'
            f'<circle cx="9" cy="6" r="3.5"/><path d="M2 20 C2 14 5 12 9 12 C13 12 16 14 16 20 Z"/></g>'
            f'<g stroke="{colour}" stroke-width="1.8" fill="{fill}" stroke-linecap="round">'
            f'<path d="M18 3 L18 15"/><path d="M18 3 L23 5.5 L18 8 Z"/></g>')


def main():
    # Pictures that stand in for missing content.
    svg("pic_error.png", 120, 90,
        f'<path d="M30 70 A18 18 0 0 1 32 34 A24 24 0 0 1 78 28 A20 20 0 0 1 92 70 Z" fill="#dddddd"/>'
        f'<rect x="57" y="36" width="6" height="20" rx="3" fill="#ffffff"/><circle cx="60" cy="63" r="3.5" fill="#ffffff"/>')
    picture_placeholder("picholder.png", 90, 120)
    picture_placeholder("picholder_square.png", 60, 60)
    picture_placeholder("picholder_huge.png", 304, 200)
    svg("picholder_profile.png", 60, 60,
        '<rect width="60" height="60" fill="#e4e4e4"/><circle cx="30" cy="23" r="11" fill="#c4c4c4"/>'
        '<path d="M10 60 C10 44 19 38 30 38 C41 38 50 44 50 60 Z" fill="#c4c4c4"/>')

    # Lists and cards.
    svg("list_foot.png", 80, 30,
        f'<path d="M4 15 H30 M50 15 H76" stroke="#cccccc" stroke-width="1"/>'
        f'<circle cx="34" cy="15" r="2" fill="{ACCENT}"/><circle cx="40" cy="15" r="2" fill="{ACCENT}" opacity="0.7"/>'
        f'<circle cx="46" cy="15" r="2" fill="{ACCENT}" opacity="0.4"/>')
    svg("pop.png", 120, 30,
        '<rect x="0" y="0" width="120" height="30" rx="6" fill="#000000" opacity="0.72"/>')
    svg("list_separator.png", 320, 1, '<rect width="320" height="1" fill="#e2e2e2"/>')
    card("bg_hot.png", 304, 380)
    card("bg_eventlistcell.png", 304, 140)
    svg("bg_bottomlistcell.png", 304, 140,
        '<rect x="1" y="2" width="302" height="137" rx="4" fill="#000000" opacity="0.08"/>'
        '<rect x="0.5" y="0.5" width="303" height="137" rx="4" fill="#fafafa" stroke="#dedede"/>')
    svg("space_hot.png", 304, 200,
        '<rect width="304" height="200" fill="url(#m)"/>',
        '<linearGradient id="m" x1="0" y1="0" x2="0" y2="1"><stop offset="0.45" stop-color="#000000" stop-opacity="0"/>'
        '<stop offset="1" stop-color="#000000" stop-opacity="0.55"/></linearGradient>')
    svg("label_hot.png", 60, 24,
        f'<path d="M0 0 H60 L52 12 L60 24 H0 Z" fill="{ACCENT}"/><path d="M0 0 H60 L58 3 H0 Z" fill="#ffffff" opacity="0.15"/>')
    svg("label_over.png", 90, 90,
        f'<g transform="rotate(-12 45 45)"><circle cx="45" cy="45" r="41" fill="none" stroke="#ffffff" stroke-width="4" opacity="0.9"/>'
        f'<circle cx="45" cy="45" r="34" fill="#000000" opacity="0.35"/>'
        f'<text x="45" y="52" text-anchor="middle" font-family="{FONT}" font-size="20" font-weight="bold" fill="#ffffff">已结束</text></g>')
    stamp("stamp_like.png", "想去", ACCENT)
    stamp("stamp_join.png", "参加", "#4f9a5f")
    svg("overbar.png", 320, 30,
        '<rect width="320" height="30" fill="#dadada"/><rect y="29" width="320" height="1" fill="#c8c8c8"/>')
    svg("bg_spec_null.png", 40, 64,
        '<rect width="40" height="64" fill="#f1f1f1"/>'
        '<path d="M0 40 L40 0 M0 80 L40 40 M0 0 L0 0" stroke="#e6e6e6" stroke-width="6" clip-path="url(#c)"/>',
        '<clipPath id="c"><rect width="40" height="64"/></clipPath>')

    # Small icons of the lists (grey) and of the detail screen (blue).
    for suffix, colour, size in (("", GREY, 14), ("_blue", BLUE, 16)):
        glyph(f"icon_date{suffix}.png", size,
              f'<circle cx="{size/2}" cy="{size/2}" r="{size/2-1.5}"/><path d="M{size/2} {size*0.28} V{size/2} L{size*0.7} {size*0.62}"/>',
              colour, 1.5)
        glyph(f"icon_spot{suffix}.png", size,
              f'<path d="M{size/2} {size-1.5} C{size*0.2} {size*0.6} {size*0.18} {size*0.45} {size*0.18} {size*0.38} '
              f'A{size*0.32} {size*0.32} 0 0 1 {size*0.82} {size*0.38} C{size*0.82} {size*0.45} {size*0.8} {size*0.6} {size/2} {size-1.5} Z"/>'
              f'<circle cx="{size/2}" cy="{size*0.38}" r="{size*0.11}"/>', colour, 1.5)
        glyph(f"icon_catalog{suffix}.png", size,
              f'<rect x="1.5" y="1.5" width="{size/2-2.5}" height="{size/2-2.5}" rx="1"/>'
              f'<rect x="{size/2+1}" y="1.5" width="{size/2-2.5}" height="{size/2-2.5}" rx="1"/>'
              f'<rect x="1.5" y="{size/2+1}" width="{size/2-2.5}" height="{size/2-2.5}" rx="1"/>'
              f'<rect x="{size/2+1}" y="{size/2+1}" width="{size/2-2.5}" height="{size/2-2.5}" rx="1"/>', colour, 1.3)
    glyph("icon_sponsor_blue.png", 16,
          '<circle cx="8" cy="5" r="3"/><path d="M2.5 15 C2.5 10.5 5 9 8 9 C11 9 13.5 10.5 13.5 15"/>', BLUE, 1.5)
    svg("icon_arrow_grey.png", 8, 13,
        '<path d="M2 2 L6.5 6.5 L2 11" fill="none" stroke="#b0b0b0" stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round"/>')
    svg("icon_zoomin.png", 22, 22,
        '<circle cx="11" cy="11" r="10.5" fill="#000000" opacity="0.45"/>'
        '<g fill="none" stroke="#ffffff" stroke-width="1.6" stroke-linecap="round"><circle cx="10" cy="10" r="4.5"/>'
        '<path d="M13.3 13.3 L16.5 16.5 M8 10 H12 M10 8 V12"/></g>')
    svg("icon_select.png", 20, 20,
        f'<circle cx="10" cy="10" r="9.5" fill="{ACCENT}"/><path d="M5.5 10.5 L8.7 13.5 L14.5 7" fill="none" stroke="#ffffff" '
        f'stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>')
    svg("noti_error.png", 16, 16,
        '<path d="M8 1 L15.5 14.5 H0.5 Z" fill="#e3a21a"/><rect x="7.1" y="5" width="1.8" height="5.2" rx="0.9" fill="#ffffff"/>'
        '<circle cx="8" cy="12.2" r="1" fill="#ffffff"/>')

    # The wish and participate bar.
    button("btn_spec.png", 100, 40, "#4a4a4a", "#3a3a3a", 5)
    svg("icon_like.png", 24, 22, heart(False, "#ffffff"))
    svg("icon_like_activated.png", 24, 22, heart(True, ACCENT))
    svg("icon_join.png", 24, 22, person_flag(False, "#ffffff"))
    svg("icon_join_activated.png", 24, 22, person_flag(True, "#6cc07e"))

    # Photos, map and calendar.
    svg("btn_addpic.png", 60, 60,
        '<rect x="0.5" y="0.5" width="59" height="59" rx="3" fill="#f4f4f4" stroke="#cfcfcf" stroke-dasharray="4 3"/>'
        f'<path d="M30 18 V42 M18 30 H42" stroke="{ACCENT}" stroke-width="3" stroke-linecap="round"/>')
    svg("bg_map.png", 20, 20, '<rect x="0.5" y="0.5" width="19" height="19" rx="4" fill="#ffffff" stroke="#d8d8d8"/>')
    svg("bg_cal_arrow.png", 20, 10, '<path d="M0 10 L10 0 L20 10 Z" fill="#dce3e4"/>')
    svg("btn_cal_cancel.png", 30, 30,
        '<circle cx="15" cy="15" r="13" fill="#72453a"/><path d="M10 10 L20 20 M20 10 L10 20" stroke="#ffffff" '
        'stroke-width="2.4" stroke-linecap="round"/>')
    for name, colour in (("icon_attend_date.png", ACCENT), ("icon_expired_date.png", "#aaaaaa")):
        svg(name, 44, 44,
            f'<rect x="0.5" y="3.5" width="43" height="40" rx="4" fill="#ffffff" stroke="{colour}"/>'
            f'<path d="M0.5 7.5 A4 4 0 0 1 4.5 3.5 H39.5 A4 4 0 0 1 43.5 7.5 V16 H0.5 Z" fill="{colour}"/>'
            f'<rect x="10" y="0" width="3" height="8" rx="1.5" fill="{colour}"/><rect x="31" y="0" width="3" height="8" rx="1.5" fill="{colour}"/>')

    # Composers and the friend picker.
    for name, on in (("checkbox_activiated.png", True), ("checkbox_default.png", False)):
        body = '<rect x="1" y="1" width="18" height="18" rx="3" fill="#ffffff" stroke="#b5b5b5"/>'
        if on:
            body = (f'<rect x="1" y="1" width="18" height="18" rx="3" fill="{ACCENT}"/>'
                    '<path d="M5 10.5 L8.5 14 L15 6.5" fill="none" stroke="#ffffff" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>')
        svg(name, 20, 20, body)
    for name, colour in (("share_sina_activiated.png", "#e6162d"), ("share_sina_disable.png", "#bbbbbb")):
        svg(name, 16, 16,
            f'<ellipse cx="7" cy="10" rx="6.2" ry="4.6" fill="{colour}"/><ellipse cx="6.6" cy="10.3" rx="2.6" ry="2" fill="#ffffff"/>'
            f'<circle cx="6.4" cy="10.4" r="0.9" fill="{colour}"/>'
            f'<path d="M11 2.5 A4.5 4.5 0 0 1 15 7 M11 4.6 A2.5 2.5 0 0 1 13 6.8" fill="none" stroke="{colour}" stroke-width="1.2" stroke-linecap="round"/>')
    svg("icon_album_default.png", 30, 30,
        '<rect x="3" y="6" width="24" height="19" rx="3" fill="#000000" opacity="0.4"/>'
        '<rect x="6" y="9" width="18" height="13" rx="1.5" fill="none" stroke="#ffffff" stroke-width="1.5"/>'
        '<path d="M8 20 L13 15 L16 18 L19 15.5 L22 20 Z" fill="#ffffff"/><circle cx="11" cy="13" r="1.6" fill="#ffffff"/>')
    panel("bg_share_small.png", 304, 88)
    panel("bg_share_large.png", 304, 150)
    panel("bg_upload.png", 304, 123)
    button("btn_invite.png", 90, 30, "#ffffff", "#ececec", 4, "#c9c9c9")
    button("btn_sc.png", 60, 30, "#d7735f", ACCENT_DARK, 4)
    button("btn_unfollow.png", 60, 30, "#f4f4f4", "#dddddd", 4, "#c6c6c6")
    svg("board_invite.png", 320, 2, '<rect width="320" height="1" fill="#dddddd"/><rect y="1" width="320" height="1" fill="#ffffff"/>')
    button("btn_choose_invite.png", 40, 26, "#e8eef1", "#d6e0e5", 3, "#b8c8d0")
    button("btn_choose_invite_active.png", 40, 26, BLUE, "#2d6d94", 3)

    # Settings.
    button("btn_logo.png", 160, 44, "#ffffff", "#f0f0f0", 5, "#d0d0d0")
    svg("bg.png", 320, 480,
        '<rect width="320" height="480" fill="url(#b)"/>',
        grad("b", "#f5f5f5", "#e9e9e9"))
    button("btn_settings.png", 120, 40, "#d7735f", ACCENT_DARK, 5)
    svg("line_settings.png", 2, 39, '<rect width="1" height="39" fill="#dddddd"/><rect x="1" width="1" height="39" fill="#ffffff"/>')

    # Navigation bar and its buttons.
    svg("navbar.png", 320, 44,
        f'<rect width="320" height="44" fill="url(#n)"/><rect y="43" width="320" height="1" fill="{ACCENT_DARK}"/>',
        grad("n", "#d2705c", ACCENT))
    svg("btn_city.png", 75, 30,
        '<rect x="0.5" y="0.5" width="74" height="29" rx="4" fill="#000000" opacity="0.15" stroke="#ffffff" stroke-opacity="0.35"/>')
    svg("arrow.png", 9, 6, '<path d="M0.5 0.5 L4.5 5 L8.5 0.5 Z" fill="#ffffff"/>')
    svg("btn_nav_back.png", 13, 21,
        '<path d="M10.5 2 L2.5 10.5 L10.5 19" fill="none" stroke="#ffffff" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>')
    glyph("btn_cancel.png", 30, '<path d="M9 9 L21 21 M21 9 L9 21"/>', stroke=2.4)
    glyph("btn_nav_search.png", 30, '<circle cx="13.5" cy="13.5" r="6.5"/><path d="M18.5 18.5 L23.5 23.5"/>', stroke=2.2)
    glyph("btn_nav_refresh.png", 30,
          '<path d="M22 15 A7 7 0 1 1 19.5 9.6"/><path d="M20.5 5.5 L20 10 L15.6 9.3"/>', stroke=2.2)
    glyph("btn_nav_direction.png", 30, '<path d="M6 14 L24 6 L16 24 L14 16 Z"/>', stroke=2.0)
    glyph("btn_nav_setting.png", 30,
          '<circle cx="15" cy="15" r="3.2"/><path d="M15 5.5 V8.5 M15 21.5 V24.5 M5.5 15 H8.5 M21.5 15 H24.5 '
          'M8.3 8.3 L10.4 10.4 M19.6 19.6 L21.7 21.7 M8.3 21.7 L10.4 19.6 M19.6 10.4 L21.7 8.3"/>'
          '<circle cx="15" cy="15" r="6.5"/>', stroke=2.0)
    glyph("btn_nav_share.png", 30,
          '<path d="M15 5 V18 M10 10 L15 5 L20 10"/><path d="M9 14 H7 V25 H23 V14 H21"/>', stroke=2.0)
    glyph("btn_nav_post.png", 30, '<path d="M7 15.5 L12.5 21 L23.5 9"/>', stroke=2.6)
    svg("nav_btn_diver.png", 1, 30, '<rect width="1" height="30" fill="#ffffff" opacity="0.45"/>')
    segment_paths = {
        "left": "M4.5 0.5 H70 V29.5 H4.5 A4 4 0 0 1 0.5 25.5 V4.5 A4 4 0 0 1 4.5 0.5 Z",
        "center": "M0 0.5 H70 V29.5 H0 Z",
        "right": "M0 0.5 H65.5 A4 4 0 0 1 69.5 4.5 V25.5 A4 4 0 0 1 65.5 29.5 H0 Z",
    }
    for place, path in segment_paths.items():
        svg(f"nav_btn_default_{place}.png", 70, 30,
            f'<path d="{path}" fill="#000000" fill-opacity="0.12" stroke="#ffffff" stroke-opacity="0.4"/>')
        svg(f"nav_btn_press_{place}.png", 70, 30,
            f'<path d="{path}" fill="#ffffff" fill-opacity="0.92" stroke="#ffffff"/>'
            f'<path d="{path}" fill="{ACCENT}" fill-opacity="0.12"/>')

    # Tab bar.
    glyph("icon_tab_hot.png", 30,
          '<path d="M15 3 C19 8 23 11 23 17.5 A8 8 0 0 1 7 17.5 C7 13 9.5 11 11 8.5 C12 11 13 12.5 14.5 13 C15.5 10 15.5 6.5 15 3 Z"/>',
          "#ffffff", 2.0)
    glyph("icon_tab_category.png", 30,
          '<rect x="5" y="5" width="8.5" height="8.5" rx="2"/><rect x="16.5" y="5" width="8.5" height="8.5" rx="2"/>'
          '<rect x="5" y="16.5" width="8.5" height="8.5" rx="2"/><rect x="16.5" y="16.5" width="8.5" height="8.5" rx="2"/>',
          "#ffffff", 2.0)
    glyph("icon_tab_my.png", 30,
          '<rect x="4.5" y="7" width="21" height="18" rx="3"/><path d="M4.5 12.5 H25.5 M10 4.5 V9 M20 4.5 V9"/>'
          '<path d="M11 18.5 L14 21 L19.5 15.5"/>', "#ffffff", 2.0)


if __name__ == "__main__":
    main()
