#!/usr/bin/env python3
"""Holds the catalogue to one world: every proper name it uses is spelled as
in glossary.txt, and the glossary itself has no near-twins (柳溪村 beside
柳溪镇, 墨岩谷 beside 千岩谷) that a reader would take for one place.

It also keeps the game's own voice: words that only a player would use (通关,
主角, 剧情 …) may appear only inside a fan's aside, marked （注：……）, and
asides stay rare; and 悟性 is only ever a lasting gain.

And one word for each thing: an effect names a status by one term only (冰冻,
never 冻伤 beside it), and a chance is always written 几率Ｎ％ or 几率＋Ｎ％,
never 一成几率, 两成机会 or 胜率＋. A resistance names the status it resists
(抗冰冻, never 抗寒), and a lasting effect says how long in one of two units.
A status dealt on a hit gives its chance and how long it holds; a bare
生命/内力/体力 is a refill, so only food and medicine use it (what gear raises
is a 上限); and a rule of use has one wording.

A status in an effect is only ever dealt (X几率), cured (解除X) or resisted
(抗X); money is Ｎ文, never Ｎ文钱; every 悟性 item, and every other gain
that counts only once, follows one rule; and an aside stands at the very end
of its line.

A damage dealt is named by its element (火焰伤害, never 灼烧伤害 after the
status it deals), one taken is 受X伤害 with the same names (妖邪伤害 dealt,
受妖邪伤害 taken, never 破邪 on one side and 妖邪 on the other); a fight
effect lasts 回合, 时辰 are for the road; a count is written in digits (１次,
never 一次); and an effect lists gains, then penalties, cures and
resistances, 攻击 before the rest.

usage: check_glossary.py [catalogue.txt] [glossary.txt] [common.txt]
Exits 1 and lists every finding when the catalogue or the glossary is off.
"""

import os
import re
import sys

import catdoc

HERE = os.path.dirname(os.path.abspath(__file__))

# The last character of most place and sect names.
PLACE_SUFFIXES = '派门教阁洲观宗帮庄村镇城关岭谷峰寨山河湖海原岛林寺宫堡泽峡渡崖府楼斋局'
# Titles that follow a surname: 韩知府, 莫师叔, 王大娘.
TITLES = ['知府', '师叔', '师伯', '师兄', '师姐', '大娘', '大婶', '掌柜', '校尉', '捕头',
          '镖头', '道长', '先生', '婆婆', '姑娘', '公子', '小姐', '员外']
SURNAMES = ('王李张刘陈杨赵黄周吴徐孙胡朱高林何郭马罗梁宋郑谢韩唐冯于董萧程曹袁邓许'
            '傅沈曾彭吕苏卢蒋蔡贾丁魏薛叶阎余潘杜戴夏钟汪田任姜范方石姚谭廖邹熊金陆'
            '郝孔白崔康毛邱秦江史顾侯邵孟龙万段钱汤尹黎易常武乔贺赖龚文厉莫柳欧阳慕容')
# Words of someone playing the game rather than living in it.
PLAYER_WORDS = ['通关', '主角', '开服', '绑定', '开发者', '玩家', '剧情', '任务', '图鉴',
                '掉率', '掉宝', '第二章', '终章', '存档', '读档', '刷怪', '小怪', '副本', '角色']
# The one label the game itself prints where a story item has no effect.
QUEST_LABEL = '任务物品'
# Each status an effect inflicts, cures or resists, with the words a writer
# reaches for instead; a reader meeting 冻伤 beside 冰冻 takes them for two.
STATUS_SYNONYMS = {
    '冰冻': ('冻伤', '冻结', '冰封', '寒气'),
    '定身': ('点穴', '麻痹', '僵直'),
    '昏睡': ('昏迷', '沉睡'),
    '混乱': ('迷乱', '错乱'),
    '灼烧': ('烧伤', '灼伤'),
}
# A chance in tenths (一成, 两成 …), or a rate not called 几率.
ODD_CHANCE = re.compile(r'[一二两三四五六七八九十]成(?:几率|机会|机率|概率)'
                        r'|(?:机会|机率|概率)[＋－０-９]|[\u4e00-\u9fff]{0,2}(?<!几)率[＋－０-９]')
# 抗X resists a status, so X is one the effects inflict, word for word:
# 抗寒 beside 冰冻 reads as a second cold, 抗毒 beside 中毒 as a second poison.
RESISTED = ('中毒',) + tuple(STATUS_SYNONYMS)
# A status in an effect is dealt (X几率), cured (解除X) or resisted (抗X):
# never 灼烧敌人, 陷入昏睡 or 守卫昏睡. (X伤害 is left to DAMAGE below.)
STATUS_USE = re.compile(r'(解除|抗)?(' + '|'.join(RESISTED) + r')(几率|伤害)?')
# How long an effect lasts: rounds in a fight, 时辰 on the road, or for good.
DURATION = re.compile(r'（(?:[一二两三四五六七八九十]+回合'
                      r'|(?:半|[一二两三四五六七八九十]+)个时辰|永久[^）]*)）')
# Time told some other way: 一炷香, 当日.
OTHER_TIME = re.compile(r'炷香|当日')
# A status dealt on a hit: X几率Ｎ％（Ｍ回合）, never 附加X with no chance.
ON_HIT = re.compile(r'(附加)?(' + '|'.join(RESISTED) + r')(几率([＋－]?)[０-９]+％)?'
                    r'(（[一二两三四五六七八九十]+回合）)?')
# 生命＋５０ restores; the codes E10–E73 (block 36) are food and medicine.
BARE_POOL = re.compile(r'(?:生命|内力|体力)[＋－][０-９]+')
RESTORE_BLOCK = 36
WORDING = {'战斗中无法使用': '战斗中不可用', '战斗中不能用': '战斗中不可用',
           '照明范围': '视野', '闪避': '身法'}
# A damage dealt names its element, not the status it may deal (冰冻伤害 read
# as a second kind of cold); 受X伤害 is a damage taken, of the same kinds.
DAMAGE = re.compile(r'(受)?([\u4e00-\u9fff]{2})伤害')
ELEMENTS = ('火焰', '寒冰', '雷电', '妖邪')
# A lasting gain that counts only for the first one taken.
ONCE_ONLY = re.compile(r'（永久[^）]*仅首次[^）]*）')
# A buff or a resistance in a fight lasts some 回合; 时辰 are for the road.
ROAD_TIME = re.compile(r'([^，]*)（(?:半|[一二两三四五六七八九十]+)个时辰）')
FIGHT_STAT = re.compile(r'攻击|防御|命中|身法|暴击|抗')
# How many times or sips: in digits, as 可用５次.
COUNT_IN_WORDS = re.compile(r'[一二两三四五六七八九十]+[次口]')


def effect_rank(clause):
    """Where a clause stands in an effect: 攻击, other gains, penalties (own
    or the enemy's), cures, resistances; None for a clause with no place."""
    clause = clause.split('：')[-1]
    if clause.startswith('解除'):
        return 3
    if clause.startswith(('抗', '受')):
        return 4
    if '－' in clause and '至' not in clause:
        return 2
    if '＋' in clause or clause.endswith('全满'):
        return 0 if clause.startswith('攻击') else 1
    return None

# Money is counted in 两 and 文, never 文钱.
ODD_MONEY = re.compile(r'[一二两三四五六七八九十百]文钱')
ASIDE = catdoc.ASIDE
MAX_ASIDE_SHARE = 0.10

HAN = re.compile(r'[\u3400-\u9fff]')


def read_list(path):
    """Lines without comments; fields split on tabs."""
    rows = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].rstrip()
            if line:
                rows.append((number, [field.strip() for field in line.split('\t') if field.strip()]))
    return rows


def near_twins(names):
    """Pairs a reader could take for one name misspelt."""
    found = []
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            if len(a) == len(b) and sum(x != y for x, y in zip(a, b)) == 1:
                found.append((a, b, 'differ in one character'))
            elif (a[:2] == b[:2] and a[-1] in PLACE_SUFFIXES and b[-1] in PLACE_SUFFIXES
                  and min(len(a), len(b)) >= 3):
                found.append((a, b, 'same stem, another place'))
    return found


def covered_positions(text, words):
    """Indexes of text that lie inside an occurrence of any of the words."""
    covered = set()
    for w in words:
        start = text.find(w)
        while start >= 0:
            covered.update(range(start, start + len(w)))
            start = text.find(w, start + 1)
    return covered


def unknown_names(text, known, common):
    """Runs of text that look like proper names and are in neither list."""
    covered = covered_positions(text, known) | covered_positions(text, common)
    found = []
    for i, c in enumerate(text):
        if i in covered:
            continue
        if c in PLACE_SUFFIXES and i >= 2 and HAN.match(text[i - 1]) and HAN.match(text[i - 2]):
            found.append(text[i - 2:i + 1])
        elif c == '阿' and i + 1 < len(text) and HAN.match(text[i + 1]) and i + 1 not in covered:
            found.append(text[i:i + 2])
        elif c == '老' and i + 1 < len(text) and text[i + 1] in SURNAMES and i + 1 not in covered:
            found.append(text[i:i + 2])
        elif c in SURNAMES:
            for title in TITLES:
                if text.startswith(title, i + 1) and i + 1 not in covered:
                    found.append(c + title)
    return found


def main(argv):
    cat_path = argv[0] if len(argv) > 0 else catdoc.DEFAULT_PATH
    glossary_path = argv[1] if len(argv) > 1 else os.path.join(HERE, 'glossary.txt')
    common_path = argv[2] if len(argv) > 2 else os.path.join(HERE, 'common.txt')
    problems = []

    glossary = {}
    for number, fields in read_list(glossary_path):
        if len(fields) < 3:
            problems.append(f'glossary line {number}: want name, kind and a note')
            continue
        if fields[0] in glossary:
            problems.append(f'glossary line {number}: {fields[0]} listed twice')
        glossary[fields[0]] = fields[1]
    common = [fields[0] for _, fields in read_list(common_path)]
    for a, b, why in near_twins(list(glossary)):
        problems.append(f'glossary: {a} / {b} {why}')
    for word in common:
        if word in glossary:
            problems.append(f'common word {word} is also a glossary name')

    entries = catdoc.entries(catdoc.decode(catdoc.read_bytes(cat_path)))
    used = set()
    asides = 0
    insight_rules = {}
    for e in entries:
        where = f'{e.code} {e.clean_name}'
        for text in (e.clean_name, e.description):
            for run in catdoc.han_runs(text):
                for name in unknown_names(run, glossary, common):
                    problems.append(f'{where}: {name} looks like a name the glossary lacks')
            used.update(n for n in glossary if n in text)
        in_voice = ASIDE.sub('', e.description)
        effect = e.split()[1]
        if effect == QUEST_LABEL:
            in_voice = in_voice[:-len(QUEST_LABEL)]
        elif not ASIDE.sub('', effect):
            problems.append(f'{where}: no effect: a story item says {QUEST_LABEL}')
        asides += len(ASIDE.findall(e.description))
        if '（注' in in_voice:
            problems.append(f'{where}: an aside not written as （注：……）')
        for word in PLAYER_WORDS:
            if word in in_voice:
                problems.append(f'{where}: {word} outside an aside')
        if any(a.end() != len(e.description) for a in ASIDE.finditer(e.description)):
            problems.append(f'{where}: an aside not at the very end of its line')
        for term, synonyms in STATUS_SYNONYMS.items():
            for word in synonyms:
                if word in effect.replace(term, '、'):
                    problems.append(f'{where}: {word} in an effect: the status is {term}')
        for status in re.findall(r'抗([^＋－，]+?)[＋－]', effect):
            if status not in RESISTED:
                problems.append(f'{where}: 抗{status} resists no status the effects use')
        for span in re.findall(r'（[^）]*）', effect):
            if not DURATION.fullmatch(span):
                problems.append(f'{where}: {span} is not a duration in 回合 or 时辰')
        for word in OTHER_TIME.findall(effect):
            problems.append(f'{where}: {word} is not a duration in 回合 or 时辰')
        for use in STATUS_USE.finditer(effect):
            if not (use.group(1) or use.group(3)):
                problems.append(f'{where}: {use.group(2)} is not dealt as {use.group(2)}几率Ｎ％, '
                                f'cured as 解除{use.group(2)} or resisted as 抗{use.group(2)}')
        for hit in ON_HIT.finditer(effect):
            added, status, chance, plus, rounds = hit.groups()
            if added or (chance and (plus or not rounds)):
                problems.append(f'{where}: {hit.group()} is not written {status}几率Ｎ％（Ｍ回合）')
        if BARE_POOL.search(effect) and (e.block != RESTORE_BLOCK or '（永久' in effect):
            problems.append(f'{where}: {BARE_POOL.search(effect).group()} reads as a refill: '
                            'what gear or a lasting pill raises is a 上限')
        for taken, kind in DAMAGE.findall(effect):
            if kind not in ELEMENTS:
                problems.append(f'{where}: {taken}{kind}伤害: a damage dealt or taken is named '
                                'by its element, ' + '/'.join(ELEMENTS))
        for road in ROAD_TIME.finditer(effect):
            if FIGHT_STAT.search(road.group(1)):
                problems.append(f'{where}: {road.group(1)} lasts 时辰: a fight effect lasts 回合')
        for count in COUNT_IN_WORDS.findall(effect):
            problems.append(f'{where}: {count}: a count is written in digits')
        ranks = [r for r in map(effect_rank, effect.split('，')) if r is not None]
        if ranks != sorted(ranks):
            problems.append(f'{where}: {effect}: gains first (攻击 leading), then penalties, '
                            'cures and resistances')
        for odd_word, word in WORDING.items():
            if odd_word in effect:
                problems.append(f'{where}: {odd_word}: write {word}')
        for odd in ODD_MONEY.findall(in_voice):
            problems.append(f'{where}: {odd}: money is written Ｎ文')
        for odd in ODD_CHANCE.findall(in_voice):
            problems.append(f'{where}: {odd} is not how a chance is written (几率Ｎ％)')
        # 悟性 is how fast one learns: it only ever grows for good, and every
        # item that raises it does so under one rule.
        for gain, rule in re.findall(r'(悟性[＋－][０-９]+(（[^）]*）)?)', effect):
            if '（永久' not in rule:
                problems.append(f'{where}: {gain} is not a lasting gain')
            insight_rules.setdefault(rule, []).append(where)
        # Any other gain that counts only once says so in the same words.
        if '悟性' not in effect:
            for rule in ONCE_ONLY.findall(effect):
                insight_rules.setdefault(rule, []).append(where)
    if len(insight_rules) > 1:
        problems.append('悟性 and once-only items under more than one rule: ' + '; '.join(
            f'{rule} {", ".join(wheres)}' for rule, wheres in insight_rules.items()))
    for name in glossary:
        if name not in used:
            problems.append(f'glossary: {name} is not used in the catalogue')
    if asides > MAX_ASIDE_SHARE * len(entries):
        problems.append(f'{asides} asides in {len(entries)} entries: at most one in ten')

    for p in problems:
        print(p)
    print(f'{len(glossary)} glossary names, {len(common)} common words, '
          f'{len(entries)} entries, {asides} asides: '
          + ('ok' if not problems else f'{len(problems)} problems'))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
