#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: the worked examples of both
calculators and a few typical texts, encoded the way the targets read their
input through FuzzedDataProvider (texts from the front, choices from the
back). Run it again after changing the order of controls or steps in a
target: python3 fuzz/make_seeds.py"""

import pathlib

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"
LOCALES = {"C": 0, "de_DE": 1, "en_US": 2, "fr_FR": 3, "de_CH": 4}


class Input:
    """Builds one input: texts are taken from the front, choices from the back."""

    def __init__(self, locale="de_DE"):
        self.front = bytearray()
        self.back = bytearray()  # in the order the target consumes them
        self.choice(0, 4, LOCALES[locale])

    def choice(self, lo, hi, value):
        span, count = hi - lo, 0
        while count < 8 and (span >> (8 * count)) > 0:
            count += 1
        x = value - lo
        self.back += bytes((x >> (8 * (count - 1 - i))) & 0xFF for i in range(count))

    def text(self, s, max_length=24):
        raw = s.encode("utf-8")
        assert len(raw) <= max_length
        self.front += raw.replace(b"\\", b"\\\\")
        if len(raw) < max_length:
            self.front += b"\\;"  # ends the text

    def rest(self, raw):
        self.front += raw

    def data(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


# --- Solar form --------------------------------------------------------------
SOLAR_FIELDS = ["txtDeg01", "txtDeg02", "txtDeg03", "txtDeg1", "txtDeg2", "txtDeg3",
                "txtDeg4", "txtTime1", "txtTime2", "txtTime3", "txtTime4", "Text1"]
SOLAR_ELEMENTS = {"Text1": 5}
SOLAR_LISTS = ["cmbDeg1", "cmbDeg2", "cmbDeg13", "cmbDeg5", "cmbGMT", "Combo1"]
SOLAR_STEPS = ["Picker", "Command2", "Command3", "Command4", "Command1", "Command5", "Row"]


class Solar(Input):
    def type(self, field, index, s):
        self.choice(0, 2, 0)
        self.choice(0, len(SOLAR_FIELDS) - 1, SOLAR_FIELDS.index(field))
        self.choice(0, SOLAR_ELEMENTS.get(field, 3) - 1, index)
        self.text(s)

    def pick(self, picker, index, position, count):
        self.choice(0, 2, 1)
        self.choice(0, len(SOLAR_LISTS) - 1, SOLAR_LISTS.index(picker))
        if picker.startswith("cmbDeg"):
            self.choice(0, 2, index)
        self.choice(0, 255, 0)  # keep the entries
        self.choice(-1, count - 1, position)
        if picker.startswith("cmbDeg"):  # and the click that carries the value
            self.press("Picker")
            self.choice(0, 3, ["cmbDeg1", "cmbDeg2", "cmbDeg13", "cmbDeg5"].index(picker))
            self.choice(0, 2, index)

    def angle(self, picker, d, m, s):
        for index, value in enumerate((d, m, s)):
            self.pick(picker, index, value, 31 if index == 0 else 60)

    def press(self, step):
        self.choice(0, 2, 2)
        self.choice(0, len(SOLAR_STEPS) - 1, SOLAR_STEPS.index(step))


def solar_session(locale, radix, date1, date2, zone=11, shift=0):
    s = Solar(locale)
    s.angle("cmbDeg13", *radix)
    s.angle("cmbDeg1", *date1)
    s.angle("cmbDeg2", *date2)
    for step in ("Command2", "Command3", "Command4"):
        s.press(step)
    s.pick("cmbGMT", -1, zone, 25)
    s.press("Command1")
    for index, value in enumerate(("5", "7", "2024")):
        s.type("Text1", index + 2, value)
    s.pick("Combo1", -1, shift, 2)
    s.press("Command5")
    s.press("Row")
    return s.data()


# The examination's example: 14 h 33 m 17 s German time.
write("fuzz_solar_steps", "worked-example",
      solar_session("de_DE", (14, 22, 30), (13, 50, 10), (14, 47, 25)))
# A Solar late in the day that the time zone pushes past midnight, and back by -24h.
write("fuzz_solar_steps", "past-midnight",
      solar_session("en_US", (14, 47, 0), (13, 50, 10), (14, 47, 25), zone=0, shift=1))
# Typed fields instead of picks: fractions, exponents, a long digit string.
typed = Solar("fr_FR")
for field, texts in (("txtDeg4", ("0", "57", "15.5")), ("txtDeg3", ("0", "3E1", "&H14")),
                     ("txtTime2", ("99999999999999999999", "0", "0"))):
    for index, value in enumerate(texts):
        typed.type(field, index, value)
for step in ("Command4", "Command1", "Command5", "Row"):
    typed.press(step)
write("fuzz_solar_steps", "typed-values", typed.data())

# --- Rekti form --------------------------------------------------------------
REKTI_FIELDS = (["txtJahre", "txtJahre2", "Text1", "Text5", "Text7", "txtdeg12"] +
                ["txtTime%d" % i for i in range(10)] +
                ["txtDeg%d" % i for i in range(1, 18) if i != 12])
REKTI_ELEMENTS = {"txtJahre": 2, "txtJahre2": 2, "Text1": 4, "Text5": 0, "Text7": 1}
REKTI_LISTS = ["Combo1", "Combo2", "Combo3", "Combo4"]
REKTI_STEPS = ["Command%d" % i for i in range(2, 14)] + ["txtJahre", "txtTime0", "Row"]


class Rekti(Input):
    def type(self, field, index, s):
        self.choice(0, 2, 0)
        self.choice(0, len(REKTI_FIELDS) - 1, REKTI_FIELDS.index(field))
        elements = REKTI_ELEMENTS.get(field, 3)
        if elements > 0:
            self.choice(0, elements - 1, index)
        self.text(s)

    def triple(self, field, *values):
        for index, value in enumerate(values):
            self.type(field, index, value)

    def select(self, combo, position, count):
        self.choice(0, 2, 1)
        self.choice(0, len(REKTI_LISTS) - 1, REKTI_LISTS.index(combo))
        self.choice(0, 255, 0)
        self.choice(-1, count - 1, position)

    def press(self, step, index=None):
        self.choice(0, 2, 2)
        self.choice(0, len(REKTI_STEPS) - 1, REKTI_STEPS.index(step))
        if step == "txtJahre":
            self.choice(-1, 2, index)
        elif step == "txtTime0":
            self.choice(-1, 3, index)


def rekti_session(locale, sidereal_birth=("6", "2", "10"), ramc="123", combo2=0):
    r = Rekti(locale)
    r.type("Text7", 0, "Heirat 1998")
    r.triple("txtTime0", *sidereal_birth)
    for index in range(3):
        r.press("txtTime0", index)
    r.type("txtJahre", 0, "34")
    r.type("txtJahre", 1, "120")
    r.press("txtJahre", 0)
    r.press("txtJahre", 1)
    for step in ("Command2", "Command3", "Command4"):
        r.press(step)
    r.triple("txtTime2", "22", "50", "0")
    r.press("Command5")
    r.press("Command6")
    r.triple("txtDeg3", "15", "20", "0")
    r.triple("txtDeg4", "14", "18", "30")
    r.triple("txtDeg6", "14", "50", "10")
    r.triple("txtDeg7", "14", "18", "30")
    for step in ("Command7", "Command8", "Command9"):
        r.press(step)
    r.type("Text5", -1, ramc)
    r.press("Command10")
    r.select("Combo2", combo2, 3)
    for step in ("Command11", "Command12"):
        r.press(step)
    r.triple("txtTime7", *sidereal_birth)
    r.press("Command13")
    r.press("Row")
    return r.data()


# The examination's example: 0 h -3 m -26 s.
write("fuzz_rekti_steps", "worked-example", rekti_session("de_DE"))
write("fuzz_rekti_steps", "full-stop-locale", rekti_session("en_US"))
# A RAMC beyond 360° (the message that empties Text5), then one that needs +360.
write("fuzz_rekti_steps", "ramc-too-large", rekti_session("de_DE", ramc="361"))
write("fuzz_rekti_steps", "ramc-plus-360", rekti_session("de_CH", ramc="10", combo2=1))

# --- Number reading ----------------------------------------------------------
for i, text in enumerate(["14", "-.5e1", "1D2", "&H1F", "&o17", " 1 2", "3,5", "1E400",
                          "0." + "0" * 40 + "1", "9" * 30, "2.5", "-", "1E-400", "12abc"]):
    seed = Input("de_DE" if i % 2 else "C")
    seed.choice(0, 255, 0)  # UTF-8
    seed.rest(text.encode("utf-8"))
    write("fuzz_textvalue", "text-%02d" % i, seed.data())

# --- Field triples -----------------------------------------------------------
for i, texts in enumerate([("1", "2", "3"), ("12abc", "", ""), ("0", "0", "2.5"),
                           ("0", "90", "0"), ("-1", "-1", "-40"), ("24", "0", "0"),
                           ("596523", "14", "7"), ("32767", "59", "59"), ("1E400", "", ""),
                           ("", "", "")]):
    seed = Input("C")
    for text in texts:
        seed.text(text, 32)
    write("fuzz_fieldstoseconds", "fields-%02d" % i, seed.data())
