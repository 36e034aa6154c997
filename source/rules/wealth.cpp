#include "rules/wealth.h"

#include "rules/catalogue_reader.h"
#include "rules/xml_text.h"

void Wealth::spendMoney(const std::string& description, const Money& amount) {
    current.subtractMoney(amount);
    history.push_back({xmlSafeText(description), amount.negated()});
}

void Wealth::earnMoney(const std::string& description, const Money& amount) {
    current.addMoney(amount);
    history.push_back({xmlSafeText(description), amount});
}

void Wealth::readWealth(const tinyxml2::XMLElement& loot) {
    for (const tinyxml2::XMLElement* child = loot.FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        if (name == "CurrentWealth") {
            current.readMoney(*child);
        } else if (name == "TransactionHistory") {
            for (const tinyxml2::XMLElement* entry = child->FirstChildElement("Transaction"); entry;
                 entry = entry->NextSiblingElement("Transaction")) {
                Transaction transaction;
                transaction.description = attributeText(*entry, "description");
                for (const tinyxml2::XMLElement* amount = entry->FirstChildElement("Amount"); amount;
                     amount = amount->NextSiblingElement("Amount")) {
                    transaction.amount.readMoney(*amount);
                }
                history.push_back(std::move(transaction));
            }
        }
    }
}

void Wealth::writeWealth(tinyxml2::XMLElement& parent) const {
    tinyxml2::XMLDocument* document = parent.GetDocument();
    tinyxml2::XMLElement* loot = document->NewElement("Loot");
    tinyxml2::XMLElement* purse = document->NewElement("CurrentWealth");
    current.writeMoney(*purse);
    loot->InsertEndChild(purse);
    tinyxml2::XMLElement* historyElement = document->NewElement("TransactionHistory");
    for (const Transaction& transaction : history) {
        tinyxml2::XMLElement* entry = document->NewElement("Transaction");
        entry->SetAttribute("description", xmlSafeText(transaction.description).c_str());
        tinyxml2::XMLElement* amount = document->NewElement("Amount");
        transaction.amount.writeMoney(*amount);
        entry->InsertEndChild(amount);
        historyElement->InsertEndChild(entry);
    }
    loot->InsertEndChild(historyElement);
    parent.InsertEndChild(loot);
}
