#include "core/grid_seams_p.h"

namespace qor {

IFormulaHost::~IFormulaHost() = default;
IDataBinding::~IDataBinding() = default;
IDataOpsHost::~IDataOpsHost() = default;
IRichTextHost::~IRichTextHost() = default;
IPrintLink::~IPrintLink() = default;

GridSeams::GridSeams()
    : formulas(std::make_unique<IFormulaHost>()), binding(std::make_unique<IDataBinding>()),
      dataOps(std::make_unique<IDataOpsHost>()), richText(std::make_unique<IRichTextHost>())
{
}

GridSeams::~GridSeams() = default;

IAnchoredObjects::~IAnchoredObjects() = default;

} // namespace qor
