#!/usr/bin/python3
"""Writes the DXF fixtures of the DXF import tests with ezdxf (Debian's python3-ezdxf), a DXF
writer that is not ours, into this folder. The files it made are committed, so the tests need no
Python package; run it again only to change a fixture:

    tests/geometry/dxf/make-fixtures.py

Lengths are millimetres unless a drawing says inches. The tests hold the expected end points and
lengths, worked out from the numbers below.
"""
import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
MILLIMETRES = 4
INCHES = 1
QUARTER_BULGE = math.tan(math.radians(90) / 4)  # a bulge that turns a quarter


def new_drawing(units=MILLIMETRES, setup=False):
    doc = ezdxf.new("R2010", setup=setup, units=units)
    return doc, doc.modelspace()


def save(doc, name, fmt="asc"):
    doc.saveas(os.path.join(HERE, name), fmt=fmt)


# The rounded rectangle of examples/rounded_rectangle.motion: 80 by 40 mm between corners of
# radius 10, from (10, 0) counterclockwise.
ROUNDED_RECTANGLE = [
    (10, 0, 0), (90, 0, QUARTER_BULGE), (100, 10, 0), (100, 50, QUARTER_BULGE),
    (90, 60, 0), (10, 60, QUARTER_BULGE), (0, 50, 0), (0, 10, QUARTER_BULGE),
]


def rounded_rectangle():
    doc, msp = new_drawing()
    msp.add_lwpolyline(ROUNDED_RECTANGLE, format="xyb", close=True, dxfattribs={"layer": "CUT"})
    save(doc, "rounded-rectangle.dxf")


def arc_written_clockwise(msp, centre, radius, start, end, layer):
    """The arc from `start` to `end` degrees counterclockwise, written with its plane facing down
    (extrusion -Z): its own frame mirrors X, so it is stored as the arc from 180 - end to
    180 - start round the mirrored centre, and it runs from `end` back to `start`."""
    msp.add_arc((-centre[0], centre[1]), radius, 180 - end, 180 - start,
                dxfattribs={"layer": layer, "extrusion": (0, 0, -1)})


def shuffled_outline():
    """The same outline as LINE and ARC pieces in shuffled order, some reversed, one line 0.0005 mm
    short of its corner, beside text, dimensions, a hatch and a construction line on other layers. The
    construction line ends on the corner (90, 0), so only --layer CUT gives one contour."""
    doc, msp = new_drawing(setup=True)  # the dimension styles
    for name in ("CUT", "NOTES", "DIMS", "CONSTRUCTION"):
        doc.layers.add(name)
    cut = {"layer": "CUT"}
    msp.add_line((10, 60), (90, 60), dxfattribs=cut)              # reversed: the outline runs right to left here
    arc_written_clockwise(msp, (90, 10), 10, -90, 0, "CUT")       # reversed by its plane
    msp.add_line((0, 10), (0, 50), dxfattribs=cut)                # reversed
    msp.add_arc((10, 50), 10, 90, 180, dxfattribs=cut)
    msp.add_line((10.0005, 0), (90, 0), dxfattribs=cut)           # 0.0005 mm short of (10, 0)
    msp.add_arc((10, 10), 10, 180, 270, dxfattribs=cut)
    msp.add_line((100, 50), (100, 10), dxfattribs=cut)            # reversed
    arc_written_clockwise(msp, (90, 50), 10, 0, 90, "CUT")        # reversed by its plane
    msp.add_text("rounded rectangle", dxfattribs={"layer": "NOTES", "insert": (20, 30), "height": 5})
    msp.add_mtext("80 x 40, R10", dxfattribs={"layer": "NOTES", "insert": (20, 20)})
    msp.add_linear_dim(base=(50, -15), p1=(0, 0), p2=(100, 0), dxfattribs={"layer": "DIMS"}).render()
    msp.add_radius_dim(center=(90, 50), radius=10, angle=45, dxfattribs={"layer": "DIMS"}).render()
    msp.add_line((90, -20), (90, 0), dxfattribs={"layer": "CONSTRUCTION"})
    hatch = msp.add_hatch(dxfattribs={"layer": "NOTES"})
    hatch.paths.add_polyline_path([(x, y, bulge) for x, y, bulge in ROUNDED_RECTANGLE], is_closed=True)
    save(doc, "shuffled-outline.dxf")


def two_contours():
    """The rounded rectangle as an old-style POLYLINE with its VERTEX entities, and a circle."""
    doc, msp = new_drawing()
    msp.add_polyline2d(ROUNDED_RECTANGLE, format="xyb", close=True)
    msp.add_circle((150, 30), 15)
    save(doc, "two-contours.dxf")


def inch_drawing():
    """A slot of 3 by 1 inches between half circles, in an inch drawing."""
    doc, msp = new_drawing(INCHES)
    msp.add_lwpolyline([(0, 0, 0), (3, 0, 1), (3, 1, 0), (0, 1, 1)], format="xyb", close=True)
    save(doc, "inch-slot.dxf")


def ellipse():
    """A whole ellipse of half axes 30 and 15 mm, its major axis turned 30 degrees."""
    doc, msp = new_drawing()
    turn = math.radians(30)
    msp.add_ellipse((50, 40), major_axis=(30 * math.cos(turn), 30 * math.sin(turn)), ratio=0.5)
    save(doc, "ellipse.dxf")


def spline():
    """A rational quadratic spline that is exactly the upper half of the circle of radius 20 round
    (0, 0), from (20, 0) to (-20, 0), in two quarter pieces."""
    doc, msp = new_drawing()
    w = math.sqrt(0.5)
    msp.add_rational_spline([(20, 0), (20, 20), (0, 20), (-20, 20), (-20, 0)], [1, w, 1, w, 1], degree=2,
                            knots=[0, 0, 0, 1, 1, 2, 2, 2])
    save(doc, "spline.dxf")


def block_inserted_twice():
    """A slot of LINE and ARC pieces on layer 0 in a block whose base point is the slot's middle,
    (10, 5): 20 mm between half circles of radius 5. Placed at (50, 0) as drawn, and at (100, 20)
    turned 30 degrees, both on layer PARTS."""
    doc, msp = new_drawing()
    doc.layers.add("PARTS")
    slot = doc.blocks.new(name="SLOT", base_point=(10, 5))
    slot.add_line((0, 0), (20, 0))
    slot.add_arc((20, 5), 5, -90, 90)
    slot.add_line((20, 10), (0, 10))
    slot.add_arc((0, 5), 5, 90, 270)
    msp.add_blockref("SLOT", (50, 0), dxfattribs={"layer": "PARTS"})
    msp.add_blockref("SLOT", (100, 20), dxfattribs={"layer": "PARTS", "rotation": 30})
    save(doc, "block-twice.dxf")


def rectangle_lines(msp, layers, width=50, height=30):
    """A rectangle from (0, 0) counterclockwise as four LINE entities, the i-th on layers[i]."""
    corners = [(0, 0), (width, 0), (width, height), (0, height)]
    for i, layer in enumerate(layers):
        msp.add_line(corners[i], corners[(i + 1) % 4], dxfattribs={"layer": layer})


def layer_case():
    """A rectangle of 50 by 30 mm whose last line names its layer CUT and the others Cut, the name
    in the table, and a circle of radius 5 round (25, 15) on layer Holes."""
    doc, msp = new_drawing()
    doc.layers.add("Cut")
    doc.layers.add("Holes")
    rectangle_lines(msp, ["Cut", "Cut", "Cut", "CUT"])
    msp.add_circle((25, 15), 5, dxfattribs={"layer": "Holes"})
    save(doc, "layer-case.dxf")


def code_pages():
    """Layer names beyond ASCII: in the code page an R2000 or R12 file names ($DWGCODEPAGE), and in
    UTF-8 in an R2018 file. Each holds a circle of radius 10 round (0, 0) on its one layer."""
    for version, encoding, layer, name in [
        ("R2000", "cp1252", "KONTUR_ÄUSSERE", "codepage-1252.dxf"),
        ("R12", "cp1251", "КОНТУР", "codepage-1251.dxf"),
        ("R2018", None, "Kontur_äußere_轮廓", "codepage-utf8.dxf"),
    ]:
        doc = ezdxf.new(version, units=MILLIMETRES)
        if encoding:
            doc.encoding = encoding
        doc.layers.add(layer)
        doc.modelspace().add_circle((0, 0), 10, dxfattribs={"layer": layer})
        save(doc, name)


def units():
    """A line along X, 5000 micrometres long ($INSUNITS 13), 5 decimetres (14), 5 US survey feet
    (21), and 5 units in a drawing with no unit (0)."""
    for code, length, name in [(13, 5000, "units-micron.dxf"), (14, 5, "units-decimetre.dxf"),
                               (21, 5, "units-survey-foot.dxf"), (0, 5, "units-none.dxf")]:
        doc, msp = new_drawing(units=code)
        msp.add_line((0, 0), (length, 0))
        save(doc, name)


# Points on the upper half of the circle of radius 20 round (0, 0), from (20, 0) every 15 degrees.
HALF_CIRCLE = [(20 * math.cos(math.radians(a)), 20 * math.sin(math.radians(a))) for a in range(0, 181, 15)]


def fit_point_splines():
    """SPLINE entities by fit points only, as CAD tools write a spline drawn through points: the
    half circle above, leaving (20, 0) upwards and reaching (-20, 0) downwards; and a closed one
    through eight points of the circle of radius 20 round (100, 0), without tangents."""
    doc, msp = new_drawing()
    half = msp.add_spline(HALF_CIRCLE)
    half.dxf.start_tangent = (0, 1, 0)
    half.dxf.end_tangent = (0, -1, 0)
    save(doc, "fit-spline.dxf")
    doc, msp = new_drawing()
    ring = [(100 + 20 * math.cos(math.radians(a)), 20 * math.sin(math.radians(a))) for a in range(0, 360, 45)]
    closed = msp.add_spline(ring)
    closed.closed = True
    save(doc, "fit-spline-closed.dxf")


def overlaps():
    """The rectangle of four lines with its bottom line drawn again backwards, a line from (10, 30)
    to (30, 30) over its top line, and a circle of radius 5 round (25, 15) drawn twice with an arc
    of it over its first quarter."""
    doc, msp = new_drawing()
    rectangle_lines(msp, ["0", "0", "0", "0"])
    msp.add_line((50, 0), (0, 0))
    msp.add_line((10, 30), (30, 30))
    msp.add_circle((25, 15), 5)
    msp.add_circle((25, 15), 5)
    msp.add_arc((25, 15), 5, 0, 90)
    save(doc, "overlaps.dxf")


def polyline_kinds():
    """An open LWPOLYLINE from (0, 0) to (10, 0) to (10, 10), and an old-style POLYLINE that goes
    on from 0.01 mm beside its end to (0, 10): the gap between them names both."""
    doc, msp = new_drawing()
    msp.add_lwpolyline([(0, 0), (10, 0), (10, 10)])
    msp.add_polyline2d([(10.01, 10), (0, 10)])
    save(doc, "polyline-kinds.dxf")


def traced_circle():
    """A circle of radius 25 round (0, 0) traced as a closed LWPOLYLINE of 720 vertices, from (25, 0)."""
    doc, msp = new_drawing()
    msp.add_lwpolyline([(25 * math.cos(2 * math.pi * i / 720), 25 * math.sin(2 * math.pi * i / 720))
                        for i in range(720)], close=True)
    save(doc, "traced-circle.dxf")


def stretched_circle():
    """A circle of radius 10 in a block, placed scaled 2 along X and 1 along Y: an ellipse."""
    doc, msp = new_drawing()
    hole = doc.blocks.new(name="HOLE", base_point=(0, 0))
    hole.add_circle((0, 0), 10)
    msp.add_blockref("HOLE", (0, 0), dxfattribs={"xscale": 2, "yscale": 1})
    save(doc, "stretched-circle.dxf")


def text_only():
    doc, msp = new_drawing()
    msp.add_text("nothing to cut", dxfattribs={"insert": (0, 0), "height": 5})
    save(doc, "text-only.dxf")


def binary():
    doc, msp = new_drawing()
    msp.add_circle((0, 0), 10)
    save(doc, "binary.dxf", fmt="bin")


if __name__ == "__main__":
    rounded_rectangle()
    shuffled_outline()
    two_contours()
    inch_drawing()
    ellipse()
    spline()
    block_inserted_twice()
    text_only()
    binary()
    layer_case()
    code_pages()
    units()
    fit_point_splines()
    overlaps()
    polyline_kinds()
    traced_circle()
    stretched_circle()
