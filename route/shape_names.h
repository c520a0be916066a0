// Where a shape name of a route's files points, as the simulator opens it:
// a track piece's (a TrackObj block's) from the MSTS root's GLOBAL\SHAPES\,
// every other name (scenery, carspawn.dat, speedpost.dat, .ref entries)
// from the route's SHAPES\. One rule for every job that compares or looks
// up shape names.
#pragma once

#include <string>
#include <string_view>

namespace route {

enum class NameBase { kRouteShapes, kGlobalShapes };

// GLOBAL\SHAPES\ as a compared name gives it: from the route's SHAPES\,
// up through the route and ROUTES\ to the MSTS root.
inline constexpr std::string_view kGlobalShapes = "..\\..\\..\\global\\shapes\\";

// The form in which two shape names compare, of a name after
// platform::FoldCase: the path of the file it opens, relative to the
// route's SHAPES\, with "\" between its parts. "/" reads as "\"; "." and
// empty parts drop out and ".." takes the part before it; a name of the
// route's SHAPES\ loses a leading "SHAPES\". A name that climbs out of its
// base comes back through `route`, the route's folder name, folded: from
// GLOBAL\SHAPES\, ..\..\ROUTES\<route>\SHAPES\x.s is x.s. Elsewhere in the
// MSTS root a name begins with one to three ".."; past the root, with more;
// an absolute name (a drive, a leading "\") stays as it is.
std::string ComparedName(std::string_view folded, std::string_view route,
                         NameBase base = NameBase::kRouteShapes);

enum class NamePlace {
  kRouteShapes,  // in the route's SHAPES\ (or a folder of it)
  kRoot,         // elsewhere in the MSTS root: GLOBAL\SHAPES\, another route ...
  kOutside,      // past the MSTS root, or absolute
};
NamePlace PlaceOf(std::string_view compared);

// The path below the MSTS root ("global\shapes\x.s") of a compared name
// that lies in it; the route's own folders as ROUTES\<route_name>\SHAPES.
std::string BelowRoot(std::string_view compared, std::string_view route_name);

}  // namespace route
