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
