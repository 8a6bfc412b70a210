#pragma once

#include "geometry/BezierCurve.h"

#include <optional>

namespace pelorama::geometry {

// One curve of a meeting of two, where on it they meet (a parameter or a parameter range) and the pieces
// it is cut into there. The pieces are cut on first use and kept until the place changes. The curve is
// referred to, not owned.
template <typename Where, typename Pieces> class CurvePieces
{
public:
    using Cut = Pieces (*)(const BezierCurve& curve, const Where& where);

    CurvePieces(BezierCurve* curve, Where where, Cut cut)
        : m_curve(curve)
        , m_where(where)
        , m_cut(cut)
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
            m_pieces = m_cut(*m_curve, m_where);
        return *m_pieces;
    }

private:
    BezierCurve* m_curve;
    Where m_where;
    Cut m_cut;
    std::optional<Pieces> m_pieces;
};

} // namespace pelorama::geometry
