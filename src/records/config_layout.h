#pragma once
// Every named offset of the configuration block (wr.cfg, 92,808 bytes, little-endian, no header).
// The block is stored whole and read whole, so an offset once used must never move. Stretches
// that nothing names are carried through unchanged on every save.
#include <cstddef>

namespace kelvo::records::cfg {

constexpr size_t kSize = 92808;

// --- Settings and running values of the shop ------------------------------------------------
constexpr size_t kReturnDeadline = 0;          // 6 chars "hh:mm"
constexpr size_t kCategoryNames = 12;          // 18 x 20 chars, category i at 12 + 40(i-1)
constexpr size_t kCategoryNameWidth = 40;
constexpr int kCategoryCount = 18;
constexpr size_t kClosedDay = 812;             // int: 0 none, 1 Sunday ... 7 Saturday
constexpr size_t kBandPrices = 816;            // 8 x int cents, band b at 812 + 4b
constexpr size_t kDayReturnPrice = 848;        // int cents
constexpr size_t kRolledDay = 852;             // int: day of month of the open day
constexpr size_t kTakingsToday = 856;          // float
constexpr size_t kTakingsPreviousDay = 860;    // float
constexpr size_t kDayCounters = 864;           // 11 values, copied into series 0-10
constexpr int kDayCounterCount = 11;
constexpr size_t kCashRefundsToday = 916;      // float
constexpr size_t kDayTotals = 920;             // 10 floats, copied into series 13-22
constexpr int kDayTotalCount = 10;
constexpr size_t kCreditRefundsToday = 920;    // float (first of the day totals)
constexpr size_t kLateFeesTotal = 924;         // float
constexpr size_t kLateFeesOwing = 928;         // float
constexpr size_t kLateFeesWrittenOff = 932;    // float
constexpr size_t kLateFeesPaid = 936;          // float
constexpr size_t kArrearsPaid = 940;           // float
constexpr size_t kArrearsWrittenOff = 944;     // float
constexpr size_t kReturnsToday = 960;          // int64
constexpr size_t kLastReturnedItems = 976;     // 18 x int64, oldest first
constexpr size_t kRentalsToday = 1120;         // int64
constexpr size_t kLastRentedItems = 1136;      // 18 x int64, oldest first
constexpr size_t kLastShutdown = 1600;         // 5 x int: minute, hour, day, month, year
constexpr size_t kLastShutdownMonth = 1612;
constexpr size_t kTipIndex = 1660;             // int
constexpr size_t kTipsOff = 1664;              // int: 0 show, 2 do not
// Rental counters: today and month pairs by category 10+i, by charge band, by category 1+i.
constexpr size_t kCategoryHighToday = 1760;    // 9 ints (categories 10 to 18)
constexpr size_t kCategoryHighMonth = 1800;
constexpr size_t kBandCountToday = 1840;       // 10 ints: 0 all, 1-8 bands, 9 the rest
constexpr size_t kBandCountMonth = 1880;
constexpr size_t kCategoryLowToday = 1920;     // 9 ints (categories 1 to 9)
constexpr size_t kCategoryLowMonth = 1960;
constexpr size_t kRentalsPreviousDay = 2000;   // int64
constexpr size_t kReturnsPreviousDay = 2008;   // int64
constexpr size_t kDefaultRentalDays = 2016;    // int64
constexpr size_t kNewSearches = 2024;          // int64: 1 on
constexpr size_t kDrawerRepeat = 2032;         // int64
constexpr size_t kDefaultDebtAllocation = 2040;   // int64: 0 "Total paid", else "Pay another day"
constexpr size_t kDrawerOpenCharacter = 2048;  // int64
constexpr size_t kInhibitFilmStart = 2056;     // int64
constexpr size_t kDrawerPort = 2064;           // int64
constexpr size_t kRentalChargeRule = 2072;     // int64
constexpr size_t kNewMembersToday = 2080;      // int64
constexpr size_t kInhibitMemberStart = 2088;   // int64
constexpr size_t kCashTenderedOff = 2096;      // int64: 0 show the dialog
constexpr size_t kListFontSize = 2112;         // int64
constexpr size_t kFormat1Start = 2120;         // int64: start number - 1
constexpr size_t kMemberStart = 2128;          // int64: start number - 1
constexpr size_t kDrawerInUse = 2136;          // int64
constexpr size_t kListIndent = 2152;           // int64 0-40
constexpr size_t kAccessConfiguration = 2160;  // int64 access flag
constexpr size_t kOverdueRates = 2168;         // 8 x int64 cents per day
constexpr size_t kTax1Active = 2232;           // int64
constexpr size_t kNotifyOnReturn = 2240;       // int64
constexpr size_t kTax2Active = 2248;           // int64
constexpr size_t kTax1Rate = 2264;             // int64 hundredths of a percent
constexpr size_t kAutoOfferOff = 2272;         // int64: 0 offer, 2 do not
constexpr size_t kTax2Rate = 2280;             // int64
constexpr size_t kDefaultOverdueAllocation = 2288;  // int64: 0 "Paid", else "Owe total"
constexpr size_t kTax2OnTotal = 2296;          // int64
constexpr size_t kNoTaxOnOverdue = 2304;       // int64
constexpr size_t kFormat2Start = 2312;         // int64
constexpr size_t kSpecialOffers = 2320;        // 4 x (int64 cents, int64 days)
constexpr size_t kAccessFlagsA = 2384;         // 11 x int64, see AccessA
constexpr size_t kHiResPicture = 2472;         // int64
constexpr size_t kTransactionCounter = 2480;   // int
constexpr size_t kSelectAllOnReturn = 2484;    // int: 2 ticked
constexpr size_t kCurrencySymbol = 2488;       // 5 chars
constexpr size_t kCurrencyTaken = 2498;        // 16-bit: 2 once set
constexpr size_t kDayValue2500 = 2500;         // two day values cleared at the day close
constexpr size_t kDayValue2504 = 2504;
constexpr size_t kFormat1Name = 2562;          // 6 chars
constexpr size_t kFormat2Name = 2574;          // 6 chars
constexpr size_t kTakingsHistory = 2588;       // 401 floats, entry k = k+1 days ago
constexpr int kHistoryDays = 401;
constexpr size_t kDayFigures = 4196;           // 312 bytes cleared at the day close
constexpr size_t kDayFiguresEnd = 4508;
constexpr size_t kFormat1RentalsToday = 4196;  // float
constexpr size_t kFormat2RentalsToday = 4200;  // float
constexpr size_t kItemsSoldCount = 4204;       // float
constexpr size_t kItemsSoldAmount = 4208;      // float
constexpr size_t kOfferRentalsToday = 4212;    // 4 floats
constexpr size_t kStockSalesToday = 4428;      // float
constexpr size_t kStockLineSales = 4432;       // 10 floats, lines 1 to 10
constexpr size_t kSeries = 10264;              // 24 series of 1616 bytes
constexpr size_t kSeriesStride = 1616;
constexpr int kSeriesCount = 24;
constexpr size_t kOperatorNamesHigh = 53268;   // operators 11-30, 20 chars each
constexpr size_t kOperatorNameHighWidth = 40;
constexpr size_t kOperatorPasswords = 54068;   // 31 x 9 chars, operator n at 54068 + 18n
constexpr size_t kOperatorPasswordWidth = 18;
constexpr size_t kOperatorsInitialised = 54866;  // 16-bit: 2 once set
constexpr size_t kPoleTexts = 56148;           // 6 x 32 chars
constexpr size_t kPoleTextWidth = 64;
constexpr size_t kReceiptPrinterDevice = 56788;  // 200 chars
constexpr size_t kReceiptPrinterDriver = 57188;  // text
constexpr size_t kReceiptPrinterDriverWidth = 400;
constexpr size_t kSignedOnOperator = 59188;    // int64
constexpr size_t kOperatorNamesLow = 59596;    // operators 1-10, 30 chars each
constexpr size_t kOperatorNameLowWidth = 60;
constexpr size_t kReceiptClosingLine = 67676;  // 508 bytes of text
constexpr size_t kReceiptClosingLineWidth = 508;
constexpr size_t kTax1Description = 68184;     // 10 chars
constexpr size_t kTax2Description = 68204;     // text
constexpr size_t kTaxDescriptionWidth = 20;
constexpr size_t kAutoReceipt = 70508;         // int
constexpr size_t kNoTaxOnStockSale = 70512;    // int: 2 yes
constexpr size_t kOmitPrintConfirm = 70520;    // int: 0 ticked
constexpr size_t kPinRental = 70524;           // int64
constexpr size_t kLogCapacity = 70540;         // int 0-8
constexpr size_t kSoundOff = 70548;            // int: 0 on, 2 off
constexpr size_t kOperatorPinRental = 70556;   // int64
constexpr size_t kReceiptPrinterIndex = 70572; // int
constexpr size_t kAccessSpecialOffers = 70604; // int flags, see AccessB
constexpr size_t kAccessAmendCredit = 70608;
constexpr size_t kAccessSellFilm = 70612;
constexpr size_t kAccessSundriesDelete = 70616;
constexpr size_t kAccessRentalRefund = 70620;
constexpr size_t kAccessAmendOnRental = 70624;
constexpr size_t kClockDisplay = 70628;        // int: 0 analogue clock
constexpr size_t kAccessAmendFilm = 70632;
constexpr size_t kAccessFreeOnRental = 70640;
constexpr size_t kAccessTax = 70644;
constexpr size_t kAccessNoCreditButton = 70648;
constexpr size_t kRentalCreditsRule = 70652;   // 4 ints: in use, threshold, credits, per rentals
constexpr size_t kBandDays = 70828;            // 9 ints: active, then bands 1-8
constexpr size_t kOfferUsesBandDays = 70864;   // 4 ints
constexpr size_t kPoleInUse = 70908;           // int
constexpr size_t kPolePort = 70916;            // int
constexpr size_t kPoleColumns1 = 70924;        // int
constexpr size_t kReservationCounter = 70932;  // int: reservations taken today
constexpr size_t kPoleColumns2 = 70940;        // int
constexpr size_t kDrawerConnection = 70944;    // int
constexpr size_t kLogoFullWidth = 71004;       // int
constexpr size_t kIncludeLogoOff = 71012;      // int: 0 ticked
constexpr size_t kSundrySaleByScanner = 71028; // int: 0 list, 2 scanner entry
constexpr size_t kBarcodeRetain = 71032;       // int
constexpr size_t kBarcodeSettings = 71036;     // 5 ints
constexpr size_t kBarcodeFormat = 71056;       // int
constexpr size_t kBarcodeSource = 71060;       // int
constexpr size_t kBarcodeType = 71064;         // int
constexpr size_t kAccessNoAmendOnOverdue = 71068;  // int
constexpr size_t kAccessNoAmendWhenOwing = 71072;  // int
constexpr size_t kItemsPerCustomer = 71084;    // int, 0 no limit
constexpr size_t kClosedTwoDays = 71092;       // int: 2 yes
// Till closeout: the day's running figures that the closeout and reconciliation show.
constexpr size_t kTillRentals = 71396;         // float
constexpr size_t kTillArrears = 71400;         // float
constexpr size_t kTillOverdues = 71404;        // float
constexpr size_t kTillMemberships = 71408;     // float
constexpr size_t kTillRetail = 71412;          // float
constexpr size_t kTillItemSales = 71416;       // float
constexpr size_t kTillRefunds = 71420;         // float
constexpr size_t kTillCloseouts = 71424;       // int: closeouts printed today
constexpr size_t kTillReserved = 71428;        // 8 bytes kept for the closeout
constexpr size_t kTillEnd = 71436;
constexpr size_t kDrawerControlSequence = 72908;  // 32 chars
constexpr size_t kFilmLabels = 76764;          // 30 x 40 chars
constexpr int kFilmLabelCount = 30;
constexpr size_t kMemberLabels = 79164;        // 41 x 40 chars
constexpr int kMemberLabelCount = 41;
constexpr size_t kLabelWidth = 80;

// --- Values whose place the stored layout leaves to this program ------------------------------
// All in the unnamed stretch from 4508 to 10263, between the day figures and the day history.
constexpr size_t kBackupFolder = 4512;         // 100 chars (99 + NUL)
constexpr size_t kBackupFolderWidth = 200;
constexpr size_t kLastBackup = 4712;           // 5 ints: minute, hour, day, month, year
constexpr size_t kMembershipTakingsToday = 4732;  // float, cleared at the day close
constexpr size_t kDefaultTillTotal = 4736;     // float
constexpr size_t kMemberSearchList = 4740;     // int: 2 = list box of all matches
constexpr size_t kOverduePrintDetail = 4744;   // int 0-3
constexpr size_t kCustomReceiptLines = 4748;   // 21 ints: line of each element, 0 omits
constexpr int kCustomReceiptElements = 21;
constexpr size_t kCustomReceiptBlankLines = 4832;  // int 1-20
constexpr size_t kCustomReceiptLogo = 4836;    // int: 2 include the logo
constexpr size_t kChosenEnd = 4840;
// Photo ID card configuration, well clear of the values above.
constexpr size_t kPhotoIdOriginX = 6000;      // int, printer units
constexpr size_t kPhotoIdOriginY = 6004;      // int
constexpr size_t kPhotoIdPicture = 6008;      // int: 0 customer photograph, 1 letter heading bitmap
constexpr size_t kPhotoIdElement = 6012;      // int: 0 Code 39, 1 EAN-13, 2 text
constexpr size_t kPhotoIdText = 6016;         // 80 chars (79 + NUL)
constexpr size_t kPhotoIdTextWidth = 160;
constexpr size_t kPhotoIdEnd = 6176;

// Access flags at 2384, in this order.
enum class AccessA {
  DeleteFilm, DeleteMember, PruneMembership, SundriesAmend, StatusDisplay, Takings, PrintTakings,
  PurgeTakings, PurgeLogFiles, TakingsAmendment, FileReset
};
constexpr size_t access_a(AccessA f) { return kAccessFlagsA + 8 * static_cast<size_t>(f); }

constexpr size_t category_name(int i) { return kCategoryNames + kCategoryNameWidth * (i - 1); }
constexpr size_t band_price(int b) { return 812 + 4 * static_cast<size_t>(b); }
constexpr size_t overdue_rate(int b) { return kOverdueRates + 8 * static_cast<size_t>(b - 1); }
constexpr size_t offer_price(int k) { return kSpecialOffers + 16 * static_cast<size_t>(k - 1); }
constexpr size_t offer_days(int k) { return offer_price(k) + 8; }
constexpr size_t history_entry(int k) { return kTakingsHistory + 4 * static_cast<size_t>(k); }
constexpr size_t series_entry(int s, int k) {
  return kSeries + kSeriesStride * static_cast<size_t>(s) + 4 + 4 * static_cast<size_t>(k);
}
constexpr size_t operator_password(int n) { return kOperatorPasswords + kOperatorPasswordWidth * n; }
constexpr size_t film_label(int i) { return kFilmLabels + kLabelWidth * i; }
constexpr size_t member_label(int i) { return kMemberLabels + kLabelWidth * i; }

}  // namespace kelvo::records::cfg
