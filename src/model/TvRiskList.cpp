#include "TvRiskList.h"

#include "BvExprNode.h"
#include "DataSet.h"
#include "MathErrors.h"
#include "ParserError.h"
#include "TvConvertField.h"
#include "TvPickList.h"
#include "TvUnitCnv.h"

#include <algorithm>

int TRiskItem::Index() const {
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    const auto at = std::find_if(items.begin(), items.end(), [this](const auto& item) { return item.get() == this; });
    return at == items.end() ? -1 : int(at - items.begin());
}

void ListIndexError(int index) {
    throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
}

TRiskItem& TRiskList::Item(int index) const {
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return *FItems[size_t(index)];
}

TRiskItem& TRiskList::AddRisk(int32_t riskId) {
    FItems.push_back(CreateItem());
    TRiskItem& item = *FItems.back();
    item.SetRiskId(riskId);
    return item;
}

TRiskItem* TRiskList::FindByRiskId(int32_t riskId) const {
    for (const auto& item : FItems)
        if (item->RiskId() == riskId)
            return item.get();
    return nullptr;
}

void TRiskList::Delete(int index) {
    Item(index); // checks the position
    FItems.erase(FItems.begin() + index);
}

namespace {
// Tries the classes in order, most derived first; the first that matches
// is raised again with the longer message.
template <class E, class... Rest>
[[noreturn]] void RaisePrefixedAs(const QString& prefix) {
    try {
        throw;
    } catch (const E& e) {
        throw E(prefix + e.Message());
    } catch (...) {
        if constexpr (sizeof...(Rest) > 0)
            RaisePrefixedAs<Rest...>(prefix);
        else
            throw;
    }
}
} // namespace

void RaisePrefixed(const QString& prefix) {
    try {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (const Exception&) {
        RaisePrefixedAs<EValueError, EParserError, EExprError, EConvertError, EMathError, EDatabaseError,
                        EUnitConvertError, EFieldConvertError, Exception>(prefix);
    }
}
