#pragma once

#include "geometry/BezierCurve.h"

#include <optional>

namespace pelorama::geometry {

// One curve of a meeting of two, where on it they meet (a parameter or a parameter range) and the pieces
// it is cut into there. The pieces are cut on first use and kept until the place changes. The curve is
// referred to, not owned.
template <typename Where, typename Pieces, Pieces (*cut)(const BezierCurve& curve, const Where& where)>
class CurvePieces
{
public:
    CurvePieces(BezierCurve* curve, Where where)
        : m_curve(curve)
        , m_where(where)
    {}

    BezierCurve* curve() const { return m_curve; }
    const Where& where() const { return m_where; }
    void setWhere(const Where& where)
    {
        m_where = where;
        reset();
    }
    bool isCut() const { return m_pieces.has_value(); }
    void reset() { m_pieces.reset(); }

    const Pieces& pieces()
    {
        if (!m_pieces)
            m_pieces = cut(*m_curve, m_where);
        return *m_pieces;
    }

private:
    BezierCurve* m_curve;
    Where m_where;
    std::optional<Pieces> m_pieces;
};

inline BezierCurve::Pieces cutAtParameter(const BezierCurve& curve, const double& parameter)
{
    return curve.split(parameter);
}

inline BezierCurve::RangePieces cutAroundRange(const BezierCurve& curve, const Range& range)
{
    return curve.splitSubcurves(range, true, true, true);
}

// A curve's pieces before and after a point on it.
using CurvePiecesAtParameter = CurvePieces<double, BezierCurve::Pieces, &cutAtParameter>;
// A curve's pieces before, inside and after a parameter range.
using CurvePiecesAroundRange = CurvePieces<Range, BezierCurve::RangePieces, &cutAroundRange>;

} // namespace pelorama::geometry
