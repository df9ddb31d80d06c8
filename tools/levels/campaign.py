#!/usr/bin/env python3
"""Writes the authored level folders levels/level012 .. level067 from the
design table below: the repetitive XML (walls, boxes with their five corner
lines, path nodes, obstacle and platform picture lines) is made here, the
design (what each level teaches and combines) is the table.

    tools/levels/campaign.py [levels folder]

Run it again after changing the table; it rewrites only the folders it owns.
"""
import os
import sys

# Box kinds of the block file.
RED, GREEN, BLUE, ORANGE, PURPLE, BROWN, SKY, PARAZITE, BONUS, BOSS = 1, 2, 3, 4, 5, 6, 7, 8, 9, 11
EXPLOSION, CHEST_01, CHEST_02, PARABOMB, ICE, TIME_FREEZE, RESIZE, RAY = range(1, 9)
PARAZ, YETI, EVIL_YETI, ELITE, BROWNIE_FULL, BROWNIE, SMALL_ELITE = range(1, 8)

HALF = 17.6  # half the side of a box at scale 0.55


def box_xml(cx, cy, cls=1, bonus=0, boss=0, money=0, trolley=0, armor=0):
    value = cls if cls == BOSS else cls * 10 ** armor
    out = [f'  <block class="{value}" bonus_class="{bonus}" boss_class="{boss}" money="{money}" '
           f'scale="0.55" trolley="{trolley}">']
    for name, dx, dy in (("UpRight", 1, -1), ("UpLeft", -1, -1), ("DownRight", 1, 1), ("DownLeft", -1, 1)):
        out.append(f'      <{name} x="{cx + dx * HALF:.1f}" y="{cy + dy * HALF:.1f}" static="0"/>')
    out.append(f'      <Center x="{cx:.1f}" y="{cy:.1f}" static="0"/>')
    out.append("  </block>")
    return "\n".join(out)


def static(x1, y1, x2, y2, friction=0.8, radius=2, **extra):
    more = "".join(f' {k}="{v}"' for k, v in extra.items())
    return (f'   <static x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" friction="{friction}" '
            f'radius="{radius}"{more}/>')


class Level:
    def __init__(self, num, stage, gametype, time, blocks=0, gentime=0, parazite=0, snow=False):
        self.num, self.stage, self.gametype, self.time = num, stage, gametype, time
        self.blocks, self.gentime, self.parazite, self.snow = blocks, gentime, parazite, snow
        self.water, self.waterlevel = 0, 0
        self.floor_y = 560          # the ground the start boxes stand on
        self.moving_floor = None    # dy of a rising floor
        self.feed = gametype in (2, 4, 20, 200)
        self.trolleys = []          # (id, time ms)
        self.statics = []
        self.boxes = []
        self.nodes = []             # path nodes
        self.images = []            # extra image lines (platforms, obstacles)
        self.bricks = None          # list of node lines
        self.friction = 0.3 if snow else 0.8

    # -- machines -----------------------------------------------------------
    def walls(self, bottom=None):
        f = self.friction
        b = bottom if bottom is not None else self.floor_y
        self.statics.append(static(190, -200, 190, b, f))
        if self.feed:
            self.statics.append(static(570, 262, 570, b, f))
        else:
            self.statics.append(static(570, -200, 570, b, f))
        self.statics.append(static(200, 48, 560, 48, 0.3, 1))  # the claw's rail
        if self.feed:  # the shelf the side feed lands on, and its stop
            self.statics.append(static(705, 172, 600, 214, 0.1))
            self.statics.append(static(600, 214, 556, 244, 0.1))
            self.statics.append(static(705, 172, 705, 120))

    def ground(self):
        self.walls()
        self.statics.append(static(190, self.floor_y, 570, self.floor_y, self.friction))

    def rising_floor(self, dy=-0.01, y=590):
        self.floor_y = y
        self.moving_floor = (dy, y)
        self.walls(bottom=620)
        self.statics.append(static(200, y, 560, y, self.friction))

    def with_water(self, level=430):
        self.water, self.waterlevel = 1, level
        self.floor_y = 590
        self.ground()

    def ledge(self, x1, y1, x2, y2, radius=3):
        self.statics.append(static(x1, y1, x2, y2, self.friction, radius))

    def platform(self, pid, x1, x2, y, stops, speed=0.7):
        """A moving platform riding the path `pid` through `stops` ((x, y, turn) of its centre)."""
        f = self.friction
        self.statics.append(static(x1, y, x2, y, f, 3, path=pid))
        self.statics.append(static(x1, y, x1, y - 16, f, 3, path=pid))
        self.statics.append(static(x2, y, x2, y - 16, f, 3, path=pid))
        first = len(self.nodes) + 1
        # The first stop is where the platform rests; the path keeps its shape.
        ox, oy = (x1 + x2) / 2 - stops[0][0], y - 4 - stops[0][1]
        stops = [(int(x + ox), int(yy + oy), turn) for x, yy, turn in stops]
        for i, (x, yy, turn) in enumerate(stops):
            n = first + i
            nxt = n + 1 if i + 1 < len(stops) else 0
            prev = n - 1 if i > 0 else 0
            self.nodes.append(f"node {n} {pid} {x} {yy} {turn} {speed} {nxt} {prev}")
        cx, cy = (x1 + x2) / 2, y - 8
        self.images.append(f'   <image path="data/levels/level{self.num:03d}_platform{pid}.png" layer="0" '
                           f'x="{cx:g}" y="{cy:g}" scale="1" alpha="1" angle="0" platform="{pid}"/>')

    def obstacle(self, oid, x1, y1, x2, y2, hp, parazite=0):
        extra = {"obstacle": oid, "hp": hp}
        if parazite:
            extra["parazite"] = 1
        self.statics.append(static(x1, y1, x2, y2, self.friction, 4, **extra))
        cx, cy = (x1 + x2) / 2, (y1 + y2) / 2
        self.images.append(f'   <image path="data/levels/level{self.num:03d}_obstacle{oid}.png" layer="0" '
                           f'x="{cx:g}" y="{cy:g}" scale="1" alpha="1" angle="0" obstacle="{oid}"/>')

    def trolley_line(self, loads, times):
        """Trolleys bring the boxes in: `loads` is one list of box kinds per trolley."""
        self.walls(bottom=380)
        for tid, (load, t) in enumerate(zip(loads, times), start=1):
            self.trolleys.append((tid, t))
            xs = [-140.0, -85.0, -30.0, 25.0] if len(load) == 4 else [-120.0, -50.0, 20.0]
            for x, kind in zip(xs, load):
                self.add_box(x, 517.6, kind, trolley=tid)

    def wall_of_bricks(self, rows=3, hp=40, holes=()):
        """An 8 x 8 wall of which only the lowest `rows` stand."""
        lines = []
        for y in range(8):
            for x in range(8):
                empty = 1 if y < 8 - rows or (x, y) in holes else 0
                lines.append(f'   <node x="{x}" y="{y}" hp="{hp}" empty="{empty}"/>')
        self.bricks = lines

    # -- boxes --------------------------------------------------------------
    def add_box(self, x, y, kind, trolley=0):
        if isinstance(kind, int):
            kind = (kind,)
        cls = kind[0]
        k = dict(cls=cls, trolley=trolley)
        if cls == BONUS:
            k["bonus"] = kind[1]
            if kind[1] in (CHEST_01, CHEST_02):
                k["money"] = kind[2] if len(kind) > 2 else 50
            elif len(kind) > 2:
                k["armor"] = kind[2]
        elif cls == BOSS:
            k["boss"] = kind[1]
        elif len(kind) > 1:
            k["armor"] = kind[1]
        self.boxes.append(box_xml(x, y, **k))

    def rows(self, kinds, x0=228, step=60, per_row=6, ground=None):
        """Boxes in rows on the ground, each row resting in the gaps of the one below."""
        base = (ground if ground is not None else self.floor_y) - 28
        i = 0
        row = 0
        while i < len(kinds):
            n = per_row - (row % 2)
            off = 0 if row % 2 == 0 else step / 2
            for j in range(n):
                if i >= len(kinds):
                    break
                self.add_box(x0 + off + j * step, base - row * 36, kinds[i])
                i += 1
            row += 1

    def on_ledge(self, kinds, x0, y, step=40):
        for j, kind in enumerate(kinds):
            self.add_box(x0 + j * step, y - 28, kind)

    # -- files --------------------------------------------------------------
    def write(self, root):
        name = f"level{self.num:03d}"
        folder = os.path.join(root, name)
        os.makedirs(folder, exist_ok=True)
        for f in os.listdir(folder):
            os.remove(os.path.join(folder, f))
        tileset = "snow" if self.snow else "desert"
        lines = ["<level>",
                 f'   <params num="{self.num}" stage="{self.stage}" time="{self.time}" gentime="{self.gentime}" '
                 f'parazite="{self.parazite}" gametype="{self.gametype}" blocks="{self.blocks}" '
                 f'water="{self.water}" waterlevel="{self.waterlevel}" tileset="{tileset}"/>',
                 f'   <image path="data/levels/{name}_art.png" layer="0" x="400" y="300" scale="1" alpha="1" angle="0"/>']
        lines += self.images

        def put(suffix, text):
            with open(os.path.join(folder, name + suffix), "w") as out:
                out.write(text + "\n")

        put(".xml", "\n".join(lines))
        put("_world.xml", '<world gravity="100" iterations="2" timestep="0.05">\n' + "\n".join(self.statics))
        put("_blocks.xml", "<blocks>\n" + "\n".join(self.boxes) + "\n</blocks>")
        if self.moving_floor:
            dy, y = self.moving_floor
            put("_floor.xml", f'<floor dy="{dy}">\n   <element x1="200" y1="{y}" x2="560" y2="{y}"/>')
        if self.nodes:
            put("_path.txt", "# _id path x y turn speed nxt prev (0: none); made into the pack's \"_path.dat\"\n"
                + "\n".join(self.nodes))
        if self.trolleys:
            put("_trolley.xml", "<trolleys>\n" + "\n".join(
                f'   <trolley id="{i}" time="{t}"/>' for i, t in self.trolleys) + "\n</trolleys>")
        if self.bricks:
            put("_bricks.xml", "<bricks>\n" + "\n".join(self.bricks) + "\n</bricks>")


R, G, B, O, P, W, S, X = RED, GREEN, BLUE, ORANGE, PURPLE, BROWN, SKY, PARAZITE
BOOM = (BONUS, EXPLOSION)
CHEST = (BONUS, CHEST_01, 60)
CHEST2 = (BONUS, CHEST_02, 120)
PBOMB = (BONUS, PARABOMB)
ICEBOX = (BONUS, ICE, 3)
FREEZE = (BONUS, TIME_FREEZE)
GROW = (BONUS, RESIZE)
RAYBOX = (BONUS, RAY)


def campaign():
    L = []

    # ---- desert, stage 6: the first bonus boxes ---------------------------
    lv = Level(12, 6, 1, 200000)            # clear the field; an explosion helps
    lv.ground()
    lv.ledge(190, 420, 290, 450)
    lv.rows([R, G, B, BOOM, R, G, B, G, R, B, R])
    L.append(lv)

    lv = Level(13, 6, 2, 210000, blocks=28, gentime=3000)   # chests pay; boxes come from the side
    lv.ground()
    lv.rows([O, CHEST, P, O, R, P, CHEST, R])
    L.append(lv)

    # ---- stage 7: the pusher feeds a field that must be cleared ------------
    lv = Level(14, 7, 4, 220000, gentime=3200)
    lv.ground()
    lv.ledge(190, 380, 280, 410)
    lv.rows([B, B, G, G, O, B, O, G])
    L.append(lv)

    # ---- stage 8: armour, then the first treasure chest with a trophy -------
    lv = Level(15, 8, 1, 220000)
    lv.rising_floor(-0.008)
    lv.rows([R, (R, 1), P, (P, 1), G, R, G, P, (G, 1), R])
    L.append(lv)

    lv = Level(16, 8, 2, 230000, blocks=30, gentime=3400)
    lv.ground()
    lv.platform(1, 220, 300, 380, [(260, 384, 0), (400, 340, 1), (510, 384, 0)])
    lv.rows([B, CHEST2, O, B, O, R, B])
    L.append(lv)

    # ---- stage 9: the parasites arrive --------------------------------------
    lv = Level(17, 9, 2, 230000, blocks=30, gentime=3600, parazite=1)
    lv.ground()
    lv.rows([R, G, X, R, G, B, B])
    L.append(lv)

    lv = Level(18, 9, 1, 230000)
    lv.ground()
    lv.ledge(470, 430, 570, 400)
    lv.rows([O, X, O, P, CHEST2, P, X, O, PBOMB, P, R, R])
    L.append(lv)

    # ---- stage 10: the first boss ------------------------------------------
    lv = Level(19, 10, 1, 300000)
    lv.ground()
    lv.rows([G, B, (BOSS, PARAZ), B, G, R, G, B, R, R])
    L.append(lv)

    lv = Level(20, 10, 2, 240000, blocks=32, gentime=3800)
    lv.with_water(440)
    lv.rows([P, CHEST2, O, P, O], ground=470)
    L.append(lv)

    # ---- stage 11: the desert turns: a parasite nest in the rock -------------
    lv = Level(21, 11, 1, 240000)
    lv.ground()
    lv.obstacle(1, 230, 400, 340, 400, 8, parazite=1)
    lv.rows([R, B, R, G, B, G, R, B, G])
    L.append(lv)

    lv = Level(22, 11, 1, 250000)
    lv.ground()
    lv.wall_of_bricks(rows=3, hp=30)
    lv.rows([O, P, GROW, O, P, R, O, P, R, R])
    L.append(lv)

    # ---- stage 12: frozen time and trolleys ----------------------------------
    lv = Level(23, 12, 2, 250000, blocks=34, gentime=4000)
    lv.rising_floor(-0.01)
    lv.rows([G, FREEZE, B, G, B, O, O])
    L.append(lv)

    lv = Level(24, 12, 2, 250000, blocks=30, gentime=4000)
    lv.trolley_line([[R, G, R, G], [B, BOOM, B, R], [G, B, G]], [12000, 14000, 12000])
    L.append(lv)

    # ---- stage 13: the ray -----------------------------------------------------
    lv = Level(25, 13, 4, 260000, gentime=4200)
    lv.ground()
    lv.obstacle(1, 390, 420, 540, 420, 10)
    lv.rows([RAYBOX, P, O, P, O, R, P, O])
    L.append(lv)

    # ---- stage 14: the parasite boss guards a fed field ------------------------
    lv = Level(26, 14, 4, 330000, gentime=4400)   # the parasite boss again, now with the side feed
    lv.ground()
    lv.ledge(190, 430, 270, 455)
    lv.rows([B, G, (BOSS, PARAZ), G, B, R, PBOMB, BOOM, B, G])
    L.append(lv)

    # ---- stage 15: the bridge: water with rocks, then the wall rises -----------
    lv = Level(27, 15, 2, 260000, blocks=36, gentime=4400)
    lv.with_water(420)
    lv.obstacle(1, 440, 330, 550, 330, 8)
    lv.rows([R, CHEST, O, R, O], ground=460)
    L.append(lv)

    lv = Level(28, 15, 1, 270000)
    lv.rising_floor(-0.008)
    lv.wall_of_bricks(rows=2, hp=30)
    lv.rows([G, P, BOOM, G, P, B, G, P, B, B])
    L.append(lv)

    # ---- stage 16: small elites on moving ledges ------------------------------
    lv = Level(29, 16, 1, 300000)          # an explosion beside the elite breaks its armour
    lv.ground()
    lv.platform(1, 210, 290, 420, [(250, 424, 0), (400, 424, 0)], 0.8)
    lv.obstacle(2, 450, 380, 540, 380, 5, parazite=1)
    lv.rows([R, (BOSS, SMALL_ELITE), BOOM, R, B, O, R, O, B])
    L.append(lv)

    # ---- stage 17: the last desert rounds ----------------------------------------
    lv = Level(30, 17, 2, 280000, blocks=36, gentime=4600, parazite=1)
    lv.trolley_line([[O, P, O, P], [R, X, R, O], [P, CHEST, P]], [13000, 15000, 13000])
    L.append(lv)

    lv = Level(31, 17, 4, 280000, gentime=4600)
    lv.rising_floor(-0.008)
    lv.platform(1, 400, 480, 400, [(440, 404, 0), (440, 300, 0)], 0.6)
    lv.obstacle(2, 220, 420, 320, 420, 8)
    lv.rows([G, B, BOOM, G, B, R, G, R])
    L.append(lv)

    # ---- stage 18: the desert's end ---------------------------------------------
    lv = Level(32, 18, 1, 340000)           # two bosses side by side, an explosion between them
    lv.ground()
    lv.ledge(190, 400, 270, 430)
    lv.ledge(570, 400, 490, 430)
    lv.rows([R, G, (BOSS, PARAZ), B, O, PBOMB, R, BOOM, (BOSS, SMALL_ELITE), B, O, R, G, B, O])
    L.append(lv)

    # ================= the snow island: six and seven colours, slippery ice =======
    def snow(num, stage, gametype, time, **k):
        return Level(num, stage, gametype, time, snow=True, **k)

    lv = snow(33, 19, 20, 240000, blocks=30, gentime=3000)
    lv.ground()
    lv.ledge(190, 420, 300, 440)
    lv.rows([W, R, W, G, R, G])
    L.append(lv)

    lv = snow(34, 19, 10, 240000)
    lv.ground()
    lv.rows([W, W, B, G, B, W, G, B, G])
    L.append(lv)

    lv = snow(35, 20, 10, 250000)
    lv.ground()
    lv.rows([R, ICEBOX, W, R, W, O, R, W, O, O])
    L.append(lv)

    lv = snow(36, 20, 10, 340000)           # the first yeti: two explosions beside it
    lv.ground()
    lv.rows([G, B, (BOSS, YETI), B, G, W, G, BOOM, BOOM, W])
    L.append(lv)

    lv = snow(37, 21, 20, 260000, blocks=34, gentime=3200)
    lv.rising_floor(-0.009)
    lv.rows([P, W, P, W, O, O])
    L.append(lv)

    lv = snow(38, 21, 10, 260000)
    lv.ground()
    lv.platform(1, 220, 300, 400, [(260, 404, 0), (400, 360, 1), (510, 404, 0)], 0.6)
    lv.rows([R, G, W, R, G, W, R, G, W])
    L.append(lv)

    lv = snow(39, 22, 20, 260000, blocks=34, gentime=3400)
    lv.with_water(430)
    lv.rows([B, W, B, W, O], ground=465)
    L.append(lv)

    lv = snow(40, 22, 10, 270000)
    lv.ground()
    lv.wall_of_bricks(rows=3, hp=30)
    lv.rows([G, O, W, G, O, W, BOOM, G, O, W])
    L.append(lv)

    lv = snow(41, 23, 20, 270000, blocks=34, gentime=3600)
    lv.trolley_line([[W, R, W, R], [B, W, B, ICEBOX], [R, B, R]], [12000, 14000, 12000])
    L.append(lv)

    lv = snow(42, 23, 10, 270000)
    lv.ground()
    lv.obstacle(1, 220, 410, 330, 410, 8)
    lv.obstacle(2, 430, 360, 540, 360, 8)
    lv.rows([P, W, P, G, W, G, P, W, G])
    L.append(lv)

    # ---- stage 24: the sky-blue creatures: seven colours --------------------------
    lv = snow(43, 24, 100, 280000)
    lv.ground()
    lv.rows([S, R, S, B, R, B, S, W, R, W, B, W])
    L.append(lv)

    lv = snow(44, 24, 200, 280000, blocks=36, gentime=3600)
    lv.ground()
    lv.ledge(190, 430, 280, 450)
    lv.rows([S, G, S, O, G, O])
    L.append(lv)

    lv = snow(45, 25, 200, 280000, blocks=36, gentime=3800, parazite=1)
    lv.ground()
    lv.rows([P, S, X, P, S, W, W])
    L.append(lv)

    lv = snow(46, 25, 100, 320000)          # the evil yeti: an explosion at its side
    lv.ground()
    lv.rows([B, S, (BOSS, EVIL_YETI), BOOM, B, W, B, S, W, ICEBOX, W, S])
    L.append(lv)

    lv = snow(47, 26, 100, 290000)
    lv.ground()
    lv.obstacle(1, 220, 400, 350, 400, 10)
    lv.rows([RAYBOX, R, S, R, S, G, R, S, G, G])
    L.append(lv)

    lv = snow(48, 26, 200, 290000, blocks=38, gentime=3800)
    lv.rising_floor(-0.009)
    lv.rows([O, GROW, W, O, W, S, S])
    L.append(lv)

    lv = snow(49, 27, 200, 300000, blocks=38, gentime=4000)
    lv.trolley_line([[S, P, S, P], [FREEZE, S, P, W], [W, P, W]], [13000, 15000, 13000])
    L.append(lv)

    # Levels 50, 51, 56 and 61 are clear-the-field levels whose time-freeze boxes
    # the game turns into armoured boxes (or, in 56, chests).
    lv = snow(50, 27, 1, 300000)
    lv.ground()
    lv.ledge(570, 420, 480, 445)
    lv.rows([R, FREEZE, G, R, B, G, FREEZE, B, R, G, B])
    L.append(lv)

    lv = snow(51, 28, 1, 300000)
    lv.rising_floor(-0.008)
    lv.rows([G, FREEZE, O, G, O, P, FREEZE, P, G, O])
    L.append(lv)

    lv = snow(52, 28, 100, 340000, parazite=1)   # small elites among the parasites
    lv.ground()
    lv.rows([S, B, X, (BOSS, SMALL_ELITE), B, S, PBOMB, W, BOOM, (BOSS, SMALL_ELITE), W, X])
    L.append(lv)

    lv = snow(53, 29, 200, 300000, blocks=40, gentime=4000)
    lv.with_water(430)
    lv.platform(1, 220, 300, 340, [(260, 344, 0), (400, 300, 1), (510, 344, 0)], 0.6)
    lv.rows([R, S, R, S, W], ground=465)
    L.append(lv)

    lv = snow(54, 29, 100, 310000)
    lv.ground()
    lv.wall_of_bricks(rows=3, hp=30, holes=((3, 5), (4, 5)))
    lv.rows([G, S, BOOM, G, S, O, G, S, O, BOOM, O])
    L.append(lv)

    lv = snow(55, 30, 100, 310000)
    lv.ground()
    lv.obstacle(1, 390, 400, 540, 400, 10)
    lv.rows([P, (BOSS, SMALL_ELITE), P, W, S, W, P, S, (BOSS, SMALL_ELITE), W, S])
    L.append(lv)

    lv = snow(56, 30, 1, 310000)
    lv.ground()
    lv.platform(1, 210, 290, 410, [(250, 414, 0), (380, 414, 0), (505, 414, 0)], 0.7)
    lv.rows([B, FREEZE, R, B, R, O, FREEZE, O, B, R, O])
    L.append(lv)

    lv = snow(57, 31, 200, 320000, blocks=40, gentime=4200, parazite=1)
    lv.ground()
    lv.obstacle(1, 230, 420, 330, 420, 8, parazite=1)
    lv.rows([G, S, G, W, S, W])
    L.append(lv)

    lv = snow(58, 31, 100, 350000)          # two yetis side by side in a nest of explosions
    lv.ground()
    lv.rows([R, BOOM, (BOSS, YETI), BOOM, R, O, ICEBOX, BOOM, (BOSS, EVIL_YETI), BOOM, O, S, W, W, R, S, S])
    L.append(lv)

    lv = snow(59, 32, 200, 320000, blocks=40, gentime=4200)
    lv.trolley_line([[S, B, S, B], [W, RAYBOX, W, B], [S, W, S]], [13000, 15000, 13000])
    L.append(lv)

    lv = snow(60, 32, 100, 330000)
    lv.ground()
    lv.obstacle(1, 220, 460, 290, 460, 6)
    lv.obstacle(2, 470, 460, 540, 460, 6)
    lv.obstacle(3, 300, 380, 370, 380, 6)
    lv.obstacle(4, 390, 380, 460, 380, 6)
    lv.obstacle(5, 220, 300, 290, 300, 6)
    lv.obstacle(6, 470, 300, 540, 300, 8)
    lv.rows([G, P, S, G, P, S, W, G, P])
    L.append(lv)

    lv = snow(61, 33, 1, 330000)
    lv.ground()
    lv.wall_of_bricks(rows=2, hp=30)
    lv.rows([B, FREEZE, G, B, O, G, FREEZE, O, B, G, O])
    L.append(lv)

    lv = snow(62, 33, 200, 330000, blocks=42, gentime=4400)
    lv.rising_floor(-0.007)
    lv.platform(1, 400, 480, 420, [(440, 424, 0), (440, 320, 0)], 0.6)
    lv.rows([R, S, W, R, S, W])
    L.append(lv)

    # ---- stage 34: the side feed brings explosions --------------------------------
    lv = snow(63, 34, 200, 340000, blocks=42, gentime=4400)
    lv.ground()
    lv.ledge(190, 410, 290, 440)
    lv.rows([P, S, O, P, S, O, CHEST])
    L.append(lv)

    lv = snow(64, 34, 10, 420000)           # the elite at the parasite nest, with bombs for both
    lv.ground()
    lv.obstacle(1, 420, 400, 540, 400, 10, parazite=1)
    lv.rows([G, W, (BOSS, ELITE), G, W, B, PBOMB, BOOM, B, PBOMB, BOOM, G, W])
    L.append(lv)

    # ---- stage 35: the brownie --------------------------------------------------------
    lv = snow(65, 35, 200, 350000, blocks=44, gentime=4600)
    lv.ground()
    lv.platform(1, 220, 300, 380, [(260, 384, 0), (400, 340, 1), (510, 384, 0)], 0.7)
    lv.obstacle(2, 430, 460, 540, 460, 10)
    lv.rows([R, S, W, R, S, W, GROW])
    L.append(lv)

    lv = snow(66, 35, 100, 380000)          # the brownie between an explosion and a parasite bomb
    lv.ground()
    lv.obstacle(1, 220, 420, 320, 420, 4)
    lv.obstacle(2, 440, 420, 540, 420, 4)
    lv.rows([B, S, (BOSS, BROWNIE_FULL), BOOM, B, W, O, S, BOOM, W, O, PBOMB, W, B, S])
    L.append(lv)

    lv = snow(67, 35, 200, 400000, blocks=36, gentime=4800)
    lv.ground()
    lv.ledge(190, 420, 270, 445)
    lv.ledge(570, 420, 490, 445)
    # A parasite bomb for the grey the brownie leaves.
    lv.rows([G, S, P, (BOSS, BROWNIE_FULL), P, S, G, BOOM, W, PBOMB, W])
    L.append(lv)
    return L


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "levels")
    for lv in campaign():
        lv.write(root)


if __name__ == "__main__":
    main()
