#!/usr/bin/env python3
"""Plays カシコロ by keyboard the way a blind player does with Orca, and checks
what Orca really spoke at every step.

Orca runs with its debug log on a pseudo-terminal (so that each line arrives as
it is written); every "SPEECH OUTPUT" line of it is an utterance. Keys go to the
game through xdotool. The answers are worked out only from what Orca said, as a
listener would: if the spoken question is not enough to answer, the check fails.
"""

import argparse
import os
import re
import subprocess
import sys
import threading
import time

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'(?:\s*voice=\S+)?(?:\s*\{.*\})?\s*$")

# What a player knows: the ink words of the colour buttons (keys 1 to 5), the
# value of each coin by its look, and where each prefecture lies and what its
# outline looks like (as the listener is told the four silhouettes).
INKS = ["くろ", "あか", "あお", "きいろ", "みどり"]
COIN_LOOKS = {
    "白くて小さい": 1,
    "金色で穴あき": 5,
    "銅色": 10,
    "銀色で穴あき": 50,
    "銀色": 100,
    "大きくて金色": 500,
}
PREFECTURE_SHAPES = {
    "ほっかいどう": "日本のいちばん北",
    "あおもり": "本州の北の端",
    "いわて": "本州でいちばん広い",
    "みやぎ": "東北の太平洋側の南寄り",
    "あきた": "東北の日本海側の北",
    "やまがた": "人の横顔",
    "ふくしま": "東北のいちばん南",
    "いばらき": "関東の北東",
    "とちぎ": "関東の北、",
    "ぐんま": "鶴が舞う",
    "さいたま": "関東の内陸",
    "ちば": "関東の南東",
    "とうきょう": "関東の南、",
    "かながわ": "関東の南西",
    "にいがた": "沖に大きな島",
    "とやま": "おわん",
    "いしかわ": "北へ細長くのびる半島",
    "ふくい": "西へ弓なり",
    "やまなし": "富士山",
    "ながの": "南北に長く大きい",
    "ぎふ": "南がすぼまる",
    "しずおか": "太平洋側に東西に長く",
    "あいち": "太平洋側、二つの半島",
    "みえ": "紀伊半島の東側",
    "しが": "まん中に大きな湖",
    "きょうと": "北の日本海から南へ",
    "おおさか": "三日月",
    "ひょうご": "南は瀬戸内海",
    "なら": "紀伊半島の内陸",
    "わかやま": "本州の南の端",
    "とっとり": "日本海側の東",
    "しまね": "日本海側の西",
    "おかやま": "瀬戸内海側の東",
    "ひろしま": "瀬戸内海側のまん中",
    "やまぐち": "本州の西の端",
    "とくしま": "四国の東",
    "かがわ": "いちばん小さい",
    "えひめ": "四国の北西",
    "こうち": "四国の南",
    "ふくおか": "九州の北、",
    "さが": "九州の北西",
    "ながさき": "九州の西の端",
    "くまもと": "九州のまん中",
    "おおいた": "九州の北東",
    "みやざき": "九州の南東",
    "かごしま": "九州の南の端",
    "おきなわ": "九州のずっと南",
}


# Orca writes its debug log through an ordinary buffered file, so lines would
# come in lumps of 8 KB, long after they were spoken. Orca is started with that
# one file opened line by line instead; nothing else of it changes.
LINE_BUFFERED_ORCA = """
import builtins, runpy, sys
log = sys.argv[1]
plain_open = builtins.open
def line_open(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        return plain_open(file, mode, buffering=1, encoding="utf-8")
    return plain_open(file, mode, *args, **kwargs)
builtins.open = line_open
sys.argv = ["/usr/bin/orca"] + sys.argv[2:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


# Orca echoes every key by its name ("tab ", "return "); anything else is
# what it says about the game.
NOT_KEY_ECHO = r"^(?![a-z_0-9]+ $)."


class Failure(Exception):
    pass


class Orca:
    """Orca, started on a pseudo-terminal debug log, and what it has said."""

    def __init__(self, out_dir):
        self.lines = []
        self.cond = threading.Condition()
        self.log_path = os.path.join(out_dir, "orca-debug.log")
        self.speech_log = open(os.path.join(out_dir, "speech.log"), "w", encoding="utf-8")
        open(self.log_path, "w").close()
        self.proc = subprocess.Popen(
            [sys.executable, "-c", LINE_BUFFERED_ORCA, self.log_path,
             "--replace", "--debug", "--debug-file=" + self.log_path],
            stdout=open(os.path.join(out_dir, "orca.out"), "w"), stderr=subprocess.STDOUT)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        with open(self.log_path, "rb") as log:
            while True:
                chunk = log.read(65536)
                if not chunk:
                    if self.proc.poll() is not None:
                        break
                    time.sleep(0.03)
                    continue
                pending += chunk
                *complete, pending = pending.split(b"\n")
                for raw in complete:
                    match = SPEECH.search(raw.decode("utf-8", "replace"))
                    if match:
                        text = match.group(1)
                        self.speech_log.write(text + "\n")
                        self.speech_log.flush()
                        with self.cond:
                            self.lines.append(text)
                            self.cond.notify_all()

    def mark(self):
        with self.cond:
            return len(self.lines)

    def said(self, since=0):
        with self.cond:
            return list(self.lines[since:])

    def wait(self, pattern, since, timeout=10.0):
        """The first utterance from index since on that matches pattern."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        with self.cond:
            while True:
                for index in range(since, len(self.lines)):
                    match = regex.search(self.lines[index])
                    if match:
                        return index, match
                left = deadline - time.monotonic()
                if left <= 0:
                    raise Failure("Orca did not say /%s/; it said: %r" % (pattern, self.lines[since:]))
                self.cond.wait(left)

    def quiet(self, pause=0.4, limit=5.0):
        """Waits until Orca has said nothing new for pause seconds."""
        deadline = time.monotonic() + limit
        count = self.mark()
        last = time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.05)
            now = self.mark()
            if now != count:
                count, last = now, time.monotonic()
            elif time.monotonic() - last >= pause:
                return

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(names), check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


class Player:
    def __init__(self, orca, transcript):
        self.orca = orca
        self.transcript = transcript
        self.steps = 0

    def note(self, what, text):
        self.transcript.write("%s: %s\n" % (what, text))
        self.transcript.flush()

    def press(self, *keys, expect, timeout=10.0, what="step"):
        """Presses keys and waits for Orca to say something matching expect."""
        since = self.orca.mark()
        key(*keys)
        index, match = self.orca.wait(expect, since, timeout)
        self.steps += 1
        self.note(what, self.orca.lines[index])
        return match

    def answer_typed(self, text, expect, what):
        since = self.orca.mark()
        type_text(text)
        key("Return")
        index, match = self.orca.wait(expect, since)
        self.steps += 1
        self.note(what, self.orca.lines[index])
        return match


# Orca says the news as a notification: its role first ("通知"), then the
# words, with a full stop of its own at the end.
START = "^(?:通知 )?"
END = r"\.?$"


# The news after an answer: the mark, then the questions left (or the end).
def news(question_pattern, left=None, mark=None):
    head = "" if mark is None else ("正解" if mark else "不正解") + "。"
    if left is None:
        return START + head + "あと　(\\d+)問。" + question_pattern + END
    return START + head + "あと　%d問。" % left + question_pattern + END


def ending(mark):
    return START + ("正解" if mark else "不正解") + r"。おわり。記録　(\d+\.\d)秒" + END


def tab_to(player, name, limit=20):
    """Tabs until Orca names the control."""
    for _ in range(limit):
        player.orca.quiet()
        since = player.orca.mark()
        key("Tab")
        try:
            index, _ = player.orca.wait(NOT_KEY_ECHO, since, 5)
        except Failure:
            # A window just handed the focus back (the menu after the notice)
            # may not have it yet: the next Tab tries again.
            player.note("tab", "(nothing)")
            continue
        player.note("tab", player.orca.lines[index])
        if name in player.orca.lines[index]:
            player.orca.quiet()
            return
    raise Failure("Tab never reached %s" % name)


def open_exercise(player, title_spoken):
    """From the menu, Tab to the exercise's button and open it: the window's
    first focus is 開始."""
    tab_to(player, title_spoken)
    player.press("space", expect="開始", what="open " + title_spoken)


def close_exercise(player):
    player.press("Escape", expect="プッシュボタン", what="back to the menu")


# --- The exercises -----------------------------------------------------------

COLOUR_Q = "字は「(くろ|あか|あお|きいろ|みどり)」、色は(くろ|あか|あお|きいろ|みどり)"
SUM_Q = "(\\d+)　(たす|ひく)　(\\d+)"
COINS_Q = "(?:硬貨はなし|硬貨(\\d+)枚、([^.]+))"
PREF_Q = "([ぁ-ゖー]+)、[^。]+。1、([^。]+)。2、([^。]+)。3、([^。]+)。4、([^。]+)"


def coin_total(match):
    if match.group(1) is None:
        return 0
    looks = match.group(2).split("、")
    if len(looks) != int(match.group(1)):
        raise Failure("told %s coins but heard %r" % (match.group(1), looks))
    return sum(COIN_LOOKS[look] for look in looks)


def sum_of(match):
    a, sign, b = int(match.group(1)), match.group(2), int(match.group(3))
    return a + b if sign == "たす" else a - b


def prefecture_choice(match):
    target = PREFECTURE_SHAPES[match.group(1)]
    hits = [i for i in range(4) if target in match.group(2 + i)]
    if len(hits) != 1:
        raise Failure("cannot tell %s among %r" % (match.group(1), match.groups()[1:]))
    return hits[0] + 1


def play_questions(player, questions, label, pattern, wrong_at, send):
    """Starts a run and answers its first questions: each answer is sent by
    send(match, right, expect, what) from the last question heard, right but
    for answer number wrong_at; every step must be heard as expected."""
    match = player.press("F5", expect=news(pattern, 50), what="%s start" % label)
    for answered in range(1, questions + 1):
        right = answered != wrong_at
        expect = ending(right) if answered == 50 else news(pattern, 50 - answered, right)
        match = send(match, right, expect, "%s answer %d" % (label, answered))
    return match


def play_colour(player, questions):
    """これは何色？: the ink by number key 1 to 5; one wrong answer on purpose."""
    def send(match, right, expect, what):
        ink = INKS.index(match.group(2)) + 1
        return player.press(str(ink if right else ink % 5 + 1), expect=expect, what=what)
    return play_questions(player, questions, "ex1", COLOUR_Q, 3, send)


def play_sums(player, questions):
    """かげんざん: the result typed, Enter; one wrong answer on purpose."""
    def send(match, right, expect, what):
        result = sum_of(match)
        return player.answer_typed(str(result if right else result + 1), expect, what)
    return play_questions(player, questions, "ex7", SUM_Q, 2, send)


def play_coins(player, questions):
    """これ、いくら？: the total of the coins heard, typed; one wrong on purpose."""
    def send(match, right, expect, what):
        total = coin_total(match)
        return player.answer_typed(str(total if right else total + 1), expect, what)
    return play_questions(player, questions, "ex11", COINS_Q, 2, send)


def play_prefectures(player, questions):
    """とどうふけん: the silhouette heard to fit the name, by number key."""
    def send(match, right, expect, what):
        choice = prefecture_choice(match)
        return player.press(str(choice if right else choice % 4 + 1), expect=expect, what=what)
    return play_questions(player, questions, "ex14", PREF_Q, 2, send)


def play_numbers(player, presses):
    """数字順番押し: the board is learnt by walking it with the arrow keys
    (Orca reads each button's number), then 1, 2, 3 ... are pressed in turn."""
    player.press("F5", expect=START + "次は　1" + END, what="ex2 start")
    board = {}
    position = (0, 0)
    for row in range(6):
        for column in range(8):
            if (row, column) == (0, 0):
                # The first button was read before the news of the start:
                # step off it and back to hear it again.
                since = player.orca.mark()
                key("Right")
                player.orca.wait(r"^\d+", since, 5)
                since = player.orca.mark()
                key("Left")
            else:
                since = player.orca.mark()
                key("Down" if column == 0 else "Right")
            index, match = player.orca.wait(r"^(\d+)$|^(\d+) ", since, 5)
            number = int(match.group(1) or match.group(2))
            board[number] = (row, column)
        # Back to the first column: the row wraps round.
        if row < 5:
            since = player.orca.mark()
            key("Right")
            player.orca.wait(r"^\d+", since, 5)
    position = (5, 7)
    if sorted(board) != list(range(1, 49)):
        raise Failure("the board did not read 1 to 48: %r" % sorted(board))
    player.note("ex2 board", " ".join(str(n) for n in sorted(board, key=board.get)))
    for number in range(1, presses + 1):
        row, column = board[number]
        moves = ["Down"] * ((row - position[0]) % 6) + ["Right"] * ((column - position[1]) % 8)
        if moves:
            key(*moves)
            time.sleep(0.3)
        position = (row, column)
        player.press("space", expect=START + "正解。次は　%d" % (number + 1) + END, what="ex2 press %d" % number)
    # A button already pressed is wrong.
    player.press("space", expect=START + "不正解" + END, what="ex2 press again")


def stop(player, what):
    player.press("F5", expect=START + "中止しました" + END, what=what)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--log")
    parser.add_argument("--full", default="1,7,11,14", help="exercises played to the end of a run, comma separated")
    parser.add_argument("--explore", action="store_true", help="start the game and print what Orca says")
    args = parser.parse_args()

    started = time.monotonic()
    orca = Orca(args.out)
    game = None
    transcript = open(os.path.join(args.out, "transcript.txt"), "w", encoding="utf-8")
    player = Player(orca, transcript)
    try:
        orca.wait(".", 0, 30)
        game = subprocess.Popen([args.game], stdout=open(os.path.join(args.out, "game.out"), "w"),
                                stderr=subprocess.STDOUT)
        if args.explore:
            time.sleep(10)
            for line in orca.said():
                print(line)
            return 0
        full = {int(n) for n in args.full.split(",") if n}
        # The notice at the first start (the settings are new), then the menu.
        # Orca may miss the very first window while the game is still joining
        # the accessibility bus; moving the focus makes it look again.
        try:
            orca.wait("お知らせ", 0, 8)
        except Failure:
            pass
        tab_to(player, "閉じる")
        # Closed; the menu's focus is read when the window manager hands it
        # back, or at the first Tab below.
        key("space")
        time.sleep(1.5)

        plays = [
            (1, "これは何色", play_colour),
            (2, "数字順番押し", None),
            (7, "かげんざん", play_sums),
            (11, "これ、いくら", play_coins),
            (14, "とどうふけん", play_prefectures),
        ]
        for number, title, play in plays:
            open_exercise(player, title)
            if play is None:
                play_numbers(player, 3)
                stop(player, "ex%d stop" % number)
            elif number in full:
                since = player.orca.mark()
                play(player, 50)
                # The ranking's dialog, as Orca reads it: the place and the
                # question for a name.
                index, _ = player.orca.wait("おめでとうだぴこ。　1位だぴこ。", since, 15)
                player.note("ex%d rank dialog" % number, player.orca.lines[index])
                player.orca.quiet()
                player.note("ex%d rank dialog said" % number, " / ".join(player.orca.said(index)))
                # The ranking asks for a name (the one offered is kept);
                # then the place is told.
                player.press("Return", expect=START + "(順位は\\d+位|順位外)" + END, timeout=15,
                             what="ex%d place" % number)
            else:
                play(player, 5)
                stop(player, "ex%d stop" % number)
            close_exercise(player)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        return 1
    finally:
        elapsed = time.monotonic() - started
        transcript.write("steps %d, %.1f s\n" % (player.steps, elapsed))
        print("Orca check: %d steps in %.1f s" % (player.steps, elapsed))
        if game:
            game.terminate()
        orca.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
