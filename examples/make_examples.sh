#!/usr/bin/env bash
# Makes the sample files of examples/: a payment file of the current year
# (Zoltdata.csv: four agencies, three folio masks, a hundred payments) and a
# verification workbook (MortNo1.xlsx, written by zolt-batch itself).
# Usage: examples/make_examples.sh [BUILD]   (BUILD: the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
year="$(date +%Y)"

payment_file() {
  awk -v year="$year" 'BEGIN {
    srand(42)
    split("MÜLLER HANS|PEÑA MARÍA|O NEIL SEAN|DUBOIS RENÉE|ØSTERGÅRD ÅSA|SMITH JOHN|GARCIA LUIS|NGUYEN VAN AN|" \
          "KOWALSKI PIOTR|FERREIRA JOÃO|SINGH PRIYA|WILLIAMS ROSE|BROWN ANTHONY|ROBINSON CLAIRE|LEWIS MARK", names, "|")
    split("ORCHARD HILL|SUNSET ESTATES|RIVER BEND|VALLEY VIEW|CEDAR GROVE", places, "|")
    split("701|713|745", jurs, "|")
    split("##-###-###|##.##.######|####-####", masks, "|")
    split("8|10|8", lengths, "|")
    split("ACME MORTGAGE LTD|CARIBBEAN HOME LOANS|PORT OF SPAIN SAVINGS|ISLAND TRUST & BANK", agencies, "|")
    printf "ZOLT DATA FOR YEAR %s\r\n\r\nFOLIO MASK INFORMATION\r\n", year
    for (j = 1; j <= 3; j++) printf "%s%02d%s\r\n", jurs[j], lengths[j], masks[j]
    printf "\r\n"
    n = 0
    for (g = 1; g <= 4; g++) {
      printf "PAYMENT GROUP INFORMATION\r\nGroup #,%04d\r\nAgency #,%04d\r\nPayment Due Date,%s-06-30\r\n", g, g * 12, year
      printf "Name1:,%s\r\nName2:,ATTN PROPERTY TAX DEPT\r\nContact Person:,J DOE\r\n", agencies[g]
      printf "Contact Phone Number:,868-555-01%02d\r\nAddress1:,%d QUEEN STREET\r\nAddress2:,SUITE %d\r\n", g, 10 * g, g
      printf "Address3:,PORT OF SPAIN\r\nAddress4:,\r\nAddress5:,\r\nAddress6:,\r\n"
      lines = ""; total = 0
      for (p = 1; p <= 25; p++) {
        n++
        j = 1 + n % 3
        gross = 200 + int(rand() * 3000) + int(rand() * 100) / 100
        reg = gross - 75; add = gross - 150
        abc = substr("ABC", 1 + n % 3, 1)
        chosen = (abc == "A") ? gross : (abc == "B") ? reg : add
        delq = (n % 7 == 0) ? -25 : (n % 11 == 0) ? 120.5 : 0
        folio = sprintf("%0" lengths[j] "d", 1000 + n * 7919)
        total += chosen + delq
        lines = lines sprintf("#M%08d,%s,%02d,%s,#%s,%.2f,%s,%.2f,%.2f,%.2f,%.2f,LOT %d BLK %d %s\r\n", \
                              100000 + n * 37, names[1 + n % 15], 1 + n % 5, jurs[j], folio, chosen + delq, abc, \
                              gross, reg, add, delq, 1 + n % 40, 1 + n % 9, places[1 + n % 5])
      }
      printf "Number of Payment records,25\r\nPayment Amount,%.2f\r\n\r\nPAYMENT DETAIL INFORMATION\r\n", total
      printf "MORTGAGE NUMBER,NAME OF OWNER,COLLECTION DISTRICT,JURISDICTION,FOLIO NUMBER,PAYMENT AMOUNT,"
      printf "PAYMENT TYPE A/B/C,(A) - GROSS TAX,(B) - REGULAR GRANT,(C) - ADDITIONAL GRANT,"
      printf "DELINQUENT/CREDIT AMOUNT,LEGAL DESCRIPTION\r\n%s", lines
      printf "\r\n\r\n"
    }
  }' | iconv -f UTF-8 -t WINDOWS-1252
}

verification_workbook() {
  local work db
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' RETURN
  db="$work/Zolt.mdb"
  "$build/bin/zolt-batch" init-db "$db" >/dev/null
  sqlite3 "$db" <<'SQL'
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60)
INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1, ADDR2, ADDR3, ADDR4, ADDR5)
SELECT CASE WHEN i % 9 = 0 THEN 'C' ELSE ' ' END, '0012', printf('M%08d', 100000 + i * 37),
       printf('%-70s', CASE i % 6 WHEN 0 THEN 'MÜLLER HANS' WHEN 1 THEN 'PEÑA MARÍA' WHEN 2 THEN 'DUBOIS RENÉE'
                             WHEN 3 THEN 'SMITH JOHN' WHEN 4 THEN 'SINGH PRIYA' ELSE 'ØSTERGÅRD ÅSA' END),
       printf('%02d', 2 * (i % 3) + 1 + i % 2), CASE i % 3 WHEN 0 THEN '701' WHEN 1 THEN '713' ELSE '745' END,
       printf('%018d', 1000 + i * 7919), printf('%09d', 500000 + i),
       printf('%-32s', printf('LOT %d BLK %d ORCHARD HILL', 1 + i % 40, 1 + i % 9)),
       printf('%-30s', printf('%d QUEEN STREET', i)), printf('%-30s', ''), printf('%-30s', 'PORT OF SPAIN'),
       printf('%-30s', ''), printf('%-30s', '')
FROM n;
INSERT INTO Fol_Mask VALUES (strftime('%Y'), '701', 8, '##-###-###'), (strftime('%Y'), '713', 10, '##.##.######'),
                            (strftime('%Y'), '745', 8, '####-####');
INSERT INTO Collection_District VALUES ('01', 'NORTH'), ('02', 'SOUTH'), ('03', 'EAST'), ('04', 'WEST'),
                                       ('05', 'CENTRAL'), ('06', 'COAST');
INSERT INTO Jurisdiction VALUES ('701', 'PORT OF SPAIN'), ('713', 'SAN FERNANDO'), ('745', 'ARIMA');
-- Each district in one jurisdiction, but WEST, which lies in two.
INSERT INTO CD_JUR VALUES ('01', '701'), ('02', '701'), ('03', '713'), ('04', '713'), ('04', '745'), ('05', '745'),
                          ('06', '745');
SQL
  "$build/bin/zolt-batch" --db "$db" verify-export examples/MortNo1.xlsx >/dev/null
  rm -f examples/MortNo1.bak
}

payment_file > examples/Zoltdata.csv.new && mv examples/Zoltdata.csv.new examples/Zoltdata.csv
verification_workbook
echo "Sample files of $year in examples/: Zoltdata.csv, MortNo1.xlsx"
